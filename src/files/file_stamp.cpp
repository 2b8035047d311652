#include "files/file_stamp.h"

#include "files/script_file.h"

#include <QFile>

namespace sw {

bool changedOnDisk(const QString& path, const QByteArray& content)
{
    const FileContent onDisk = readScriptFileBytes(QFile::encodeName(path));
    return onDisk.error.isEmpty() && onDisk.bytes != content;
}

} // namespace sw
