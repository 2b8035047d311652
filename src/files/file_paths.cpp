#include "files/file_paths.h"

namespace sw {

QString Get_File_Directory(const QString& path, QString& folder)
{
    folder.clear();
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QString(FilePathError);
    folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    return {};
}

QString Get_File_Name(const QString& path, QString& name)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1)
        return QString(FilePathError);
    name = path.mid(slash + 1);
    return {};
}

QString withDefaultSuffix(const QString& path, QStringView suffix)
{
    const QStringView name = QStringView(path).mid(path.lastIndexOf(u'/') + 1);
    const QString ending = u'.' + suffix.toString();
    if (name.isEmpty() || name.endsWith(ending, Qt::CaseInsensitive))
        return path;
    return path + ending;
}

} // namespace sw
