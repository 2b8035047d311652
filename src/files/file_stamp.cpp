#include "files/file_stamp.h"

#include "files/script_file.h"

#include <QFile>
#include <QFileInfo>

namespace sw {

bool changedOnDisk(const QString& path, const QByteArray& content)
{
    const FileContent onDisk = readScriptFileBytes(QFile::encodeName(path));
    if (onDisk.error.isEmpty())
        return onDisk.bytes != content;
    return QFileInfo::exists(path);
}

} // namespace sw
