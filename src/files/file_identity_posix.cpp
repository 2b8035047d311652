#include "files/file_identity.h"

#include <QFile>
#include <QFileInfo>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace {

// The file a path leads to; a link to a file not yet there leads to where it will be.
QString followLinks(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// QSaveFile writes beside the file under its name plus a dot and six characters.
bool temporaryNameFits(const QFileInfo& info)
{
    const long nameMax =
        ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
    return QFile::encodeName(info.fileName()).size() + 7 <= (nameMax > 0 ? nameMax : NAME_MAX);
}

} // namespace

FileIdentity identifyFile(const QString& path)
{
    FileIdentity identity;
    identity.path = followLinks(path);
    const QByteArray native = QFile::encodeName(identity.path);
    struct stat status
    {};
    if (::stat(native.constData(), &status) != 0)
        return identity;
    identity.exists = true;
    identity.regular = S_ISREG(status.st_mode);
    identity.mode = status.st_mode & 07777;
    identity.owner = status.st_uid;
    identity.group = status.st_gid;
    const QFileInfo info(identity.path);
    identity.replaceable =
        identity.regular && status.st_nlink == 1 && status.st_uid == ::geteuid() &&
        ::access(QFile::encodeName(info.absolutePath()).constData(), W_OK | X_OK) == 0 &&
        temporaryNameFits(info);
    return identity;
}

bool giveIdentity(int handle, const FileIdentity& identity)
{
    const auto same = [&](const struct stat& status) {
        return (status.st_mode & 07777) == identity.mode && status.st_uid == identity.owner &&
               status.st_gid == identity.group;
    };
    struct stat status
    {};
    if (::fstat(handle, &status) != 0)
        return false;
    if (same(status))
        return true;
    // Only what differs is changed, as only a file's owner may change anything of it. The owner
    // comes first: a change of owner may clear the set-ID bits that the mode then sets.
    const auto owner = status.st_uid == identity.owner ? uid_t(-1) : uid_t(identity.owner);
    const auto group = status.st_gid == identity.group ? gid_t(-1) : gid_t(identity.group);
    if ((owner != uid_t(-1) || group != gid_t(-1)) && ::fchown(handle, owner, group) != 0)
        return false;
    // The system drops a set-group-ID bit it does not allow without an error.
    return ::fchmod(handle, identity.mode) == 0 && ::fstat(handle, &status) == 0 && same(status);
}

} // namespace sw
