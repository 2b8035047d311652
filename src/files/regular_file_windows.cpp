#include "files/regular_file.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

using namespace Qt::StringLiterals;

// Windows opens a file by its UTF-16 name; a regular file on a disk never makes a read wait, so
// the checks are on what the handle is: a disk file, no folder, no link when links are refused.
namespace sw {

namespace {

QString systemError(DWORD code)
{
    return qt_error_string(int(code));
}

} // namespace

RegularFile openRegularFile(const QByteArray& nativePath, bool forWriting, Links links)
{
    const std::wstring name = QFile::decodeName(nativePath).toStdWString();
    const DWORD access = GENERIC_READ | (forWriting ? GENERIC_WRITE : 0);
    // Others may go on reading, writing and renaming, as on POSIX systems; a folder opens only
    // with backup semantics, so it can be told apart rather than failing with "Access denied".
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (links == Links::Refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE handle =
        ::CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {-1, 0, systemError(::GetLastError())};
    BY_HANDLE_FILE_INFORMATION information{};
    QString error;
    // CON, NUL, COM1 and the other reserved names open as character devices.
    if (const DWORD type = ::GetFileType(handle); type == FILE_TYPE_PIPE)
        error = u"Is a pipe, not a regular file"_s;
    else if (type != FILE_TYPE_DISK)
        error = u"Is a device, not a regular file"_s;
    else if (!::GetFileInformationByHandle(handle, &information))
        error = systemError(::GetLastError());
    else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        error = u"Is a folder, not a regular file"_s;
    else if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        error = u"Is a symbolic link, not a regular file"_s;
    if (!error.isEmpty()) {
        ::CloseHandle(handle);
        return {-1, 0, error};
    }
    // The C runtime's descriptor owns the handle from here; QFile opens it by that number.
    const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                             (forWriting ? _O_RDWR : _O_RDONLY) | _O_BINARY);
    if (descriptor < 0) {
        ::CloseHandle(handle);
        return {-1, 0, u"Too many open files"_s};
    }
    const qint64 size = qint64(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    return {descriptor, size, {}};
}

QString beginReading(int)
{
    return {};
}

qint64 readSome(int handle, char* data, qint64 size, QString& error)
{
    const int got = ::_read(handle, data, unsigned(std::min<qint64>(size, INT_MAX)));
    if (got < 0)
        error = qt_error_string(errno);
    return got;
}

} // namespace sw
