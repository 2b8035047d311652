#include "files/regular_file.h"

#include <QScopeGuard>

#include <algorithm>
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

QString readToEnd(const RegularFile& file, qint64 limit, const QString& pastLimit,
                  QByteArray& bytes)
{
    if (file.size > limit)
        return pastLimit;
    const int flags = ::fcntl(file.handle, F_GETFL);
    if (flags < 0 || ::fcntl(file.handle, F_SETFL, flags | O_NONBLOCK) != 0)
        return qt_error_string(errno);
    // The reads go straight into bytes, whose room is the size seen at the open and one byte,
    // so the end shows at once; a file that grew gets twice the room each time it fills it, up
    // to one byte past the limit, which is enough to refuse it.
    qint64 filled = 0;
    qint64 room = file.size + 1;
    for (;;) {
        bytes.resize(room);
        const ssize_t got =
            ::read(file.handle, bytes.data() + filled, static_cast<size_t>(room - filled));
        if (got < 0) {
            const int error = errno;
            bytes.truncate(filled);
            return error == EAGAIN ? u"Waits when read, not a regular file"_s
                                   : qt_error_string(error);
        }
        if (got == 0)
            break;
        filled += got;
        if (filled > limit) {
            bytes.truncate(filled);
            return pastLimit;
        }
        if (filled == room)
            room = std::min(room * 2, limit + 1);
    }
    bytes.truncate(filled);
    return {};
}

QString readRegularFile(const QByteArray& nativePath, qint64 limit, const QString& pastLimit,
                        QByteArray& bytes, Links links)
{
    const RegularFile opened = openRegularFile(nativePath, false, links);
    if (opened.handle < 0)
        return opened.error;
    const auto closing = qScopeGuard([&] { ::close(opened.handle); });
    return readToEnd(opened, limit, pastLimit, bytes);
}

} // namespace sw
