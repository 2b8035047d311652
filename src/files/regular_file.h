#pragma once

#include <QByteArray>
#include <QString>

// Opening only what can hold a script: a FIFO or a device must neither block the program nor
// feed it without end.
namespace sw {

struct RegularFile
{
    int handle = -1; // for QFile::open(int, ...); -1 on failure
    qint64 size = 0;
    QString error; // the reason when handle is -1, as "Is a pipe, not a regular file"
};

// Opens the file named by nativePath (the bytes the system names it by) without blocking, and
// keeps it only if the opened file is a regular file. The caller owns the handle.
RegularFile openRegularFile(const QByteArray& nativePath, bool forWriting);

} // namespace sw
