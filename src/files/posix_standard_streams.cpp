#include "files/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace sw {

void occupyClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number, which is fd itself: the ones below it are open by now.
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

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

} // namespace sw
