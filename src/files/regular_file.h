#pragma once

#include <QByteArray>
#include <QString>

// Opening and reading only what can hold a script: a FIFO, a device or a file that says it is
// regular but never ends must neither block the program nor feed it without end.
namespace sw {

struct RegularFile
{
    int handle = -1; // for QFile::open(int, ...); -1 on failure
    qint64 size = 0;
    QString error; // the reason when handle is -1, as "Is a pipe, not a regular file"
};

// Whether a symbolic link at the name is opened as the file it leads to, or refused.
enum class Links
{
    Follow,
    Refuse,
};

// Opens the file named by nativePath (the bytes the system names it by) without blocking, and
// keeps it only if the opened file is a regular file. The caller owns the handle.
RegularFile openRegularFile(const QByteArray& nativePath, bool forWriting,
                            Links links = Links::Follow);

// Reads the open file from where it stands to its end into bytes, whose room is kept, and
// returns the reason it could not, or nothing. A file whose size at the open is past limit is
// not read; one that grows past it is read to one byte past it; both give pastLimit. The read
// never waits: a regular file has its bytes or its end at hand, so one that would make the
// reader wait (as /proc/kmsg does) is refused.
QString readToEnd(const RegularFile& file, qint64 limit, const QString& pastLimit,
                  QByteArray& bytes);

// The system's part of readToEnd. beginReading readies the handle (on POSIX systems: never to
// wait); readSome reads at most size bytes into data and gives the count, 0 at the end, or -1
// with the reason in error.
QString beginReading(int handle);
qint64 readSome(int handle, char* data, qint64 size, QString& error);

// Reads the regular file named by nativePath whole, as readToEnd does.
QString readRegularFile(const QByteArray& nativePath, qint64 limit, const QString& pastLimit,
                        QByteArray& bytes, Links links = Links::Follow);

} // namespace sw
