#include "files/standard_streams.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace sw {

QString writeStandardStream(std::FILE* stream, QByteArrayView bytes)
{
    errno = 0;
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.data(), 1, size, stream) == size && std::fflush(stream) == 0)
        return {};
    // A descriptor that was closed, or opened for reading only.
    if (errno == EBADF)
        return u"it is not open for writing"_s;
    return qt_error_string(errno);
}

void tellOutputFailure(const QString& program, const QString& reason)
{
    // Standard error that does not take it either leaves nowhere to tell it.
    writeStandardStream(
        stderr, u"%1: cannot write to standard output: %2\n"_s.arg(program, reason).toLocal8Bit());
}

} // namespace sw
