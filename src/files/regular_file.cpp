#include "files/regular_file.h"

#include <QFile>

#include <algorithm>

namespace sw {

QString readToEnd(const RegularFile& file, qint64 limit, const QString& pastLimit,
                  QByteArray& bytes)
{
    if (file.size > limit)
        return pastLimit;
    if (const QString error = beginReading(file.handle); !error.isEmpty())
        return error;
    // The reads go straight into bytes, whose room is the size seen at the open and one byte,
    // so the end shows at once; a file that grew gets twice the room each time it fills it, up
    // to one byte past the limit, which is enough to refuse it.
    qint64 filled = 0;
    qint64 room = file.size + 1;
    for (;;) {
        bytes.resize(room);
        QString error;
        const qint64 got = readSome(file.handle, bytes.data() + filled, room - filled, error);
        if (got < 0) {
            bytes.truncate(filled);
            return error;
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
    // QFile closes the handle the way the system's own runtime opened it.
    QFile closing;
    closing.open(opened.handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    return readToEnd(opened, limit, pastLimit, bytes);
}

} // namespace sw
