#include "files/file_identity.h"

#include <QFileInfo>

#include <windows.h>

// Windows keeps a file's rights in its access list, which a file renamed over it does not take
// over: a file with an access list of its own, a hard-linked or a read-only file is written in
// place. Mode, owner and group have no meaning here and are left as they are.
namespace sw {

FileIdentity identifyFile(const QString& path)
{
    FileIdentity identity;
    const QFileInfo info(path);
    identity.path = info.isSymLink() ? QFileInfo(info.symLinkTarget()).absoluteFilePath()
                                     : info.absoluteFilePath();
    const QFileInfo target(identity.path);
    identity.exists = target.exists();
    identity.regular = target.isFile();
    if (!identity.regular)
        return identity;
    HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t*>(identity.path.utf16()), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known =
        handle != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(handle, &information);
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    identity.replaceable = known && information.nNumberOfLinks == 1 &&
                           !(information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
                           QFileInfo(target.absolutePath()).isWritable();
    return identity;
}

bool giveIdentity(int, const FileIdentity&)
{
    // Writing in place keeps the file's access list; there is nothing else to give back.
    return true;
}

} // namespace sw
