#include "files/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"a folder"_s;
    if (S_ISFIFO(mode))
        return u"a pipe"_s;
    if (S_ISSOCK(mode))
        return u"a socket"_s;
    return u"a device"_s;
}

} // namespace

RegularFile openRegularFile(const QByteArray& nativePath, bool forWriting)
{
    // Non-blocking, so a FIFO without a writer cannot hold the open; the file is checked once
    // opened, so it cannot be swapped between a check and the open.
    const int flags = (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const int handle = ::open(nativePath.constData(), flags);
    if (handle < 0)
        return {-1, 0, qt_error_string(errno)};
    struct stat status
    {};
    QString error;
    if (::fstat(handle, &status) != 0)
        error = qt_error_string(errno);
    else if (!S_ISREG(status.st_mode))
        error = u"Is %1, not a regular file"_s.arg(kindOf(status.st_mode));
    if (!error.isEmpty()) {
        ::close(handle);
        return {-1, 0, error};
    }
    // Reads and writes may wait as usual from here on.
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    return {handle, static_cast<qint64>(status.st_size), {}};
}

} // namespace sw
