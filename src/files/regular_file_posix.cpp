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

RegularFile openRegularFile(const QByteArray& nativePath, bool forWriting, Links links)
{
    // Non-blocking, so a FIFO without a writer cannot hold the open; the file is checked once
    // opened, so it cannot be swapped between a check and the open.
    const int flags = (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                      (links == Links::Refuse ? O_NOFOLLOW : 0);
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
    // It stays non-blocking: a regular file never waits, and readToEnd refuses one that would.
    return {handle, static_cast<qint64>(status.st_size), {}};
}

QString beginReading(int handle)
{
    const int flags = ::fcntl(handle, F_GETFL);
    if (flags < 0 || ::fcntl(handle, F_SETFL, flags | O_NONBLOCK) != 0)
        return qt_error_string(errno);
    return {};
}

qint64 readSome(int handle, char* data, qint64 size, QString& error)
{
    const ssize_t got = ::read(handle, data, static_cast<size_t>(size));
    if (got < 0)
        error = errno == EAGAIN ? u"Waits when read, not a regular file"_s : qt_error_string(errno);
    return got;
}

} // namespace sw
