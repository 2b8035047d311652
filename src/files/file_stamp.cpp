#include "files/file_stamp.h"

#include "files/script_file.h"

#include <QCryptographicHash>
#include <QFile>

namespace sw {

QByteArray contentStamp(QByteArrayView bytes)
{
    // The content, not the time: a copy back or a touch changes no work.
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

bool changedOnDisk(const QString& path, const QByteArray& stamp)
{
    const FileContent content = readScriptFileBytes(QFile::encodeName(path));
    return content.error.isEmpty() && contentStamp(content.bytes) != stamp;
}

} // namespace sw
