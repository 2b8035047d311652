#pragma once

#include <QString>

// What a file is beyond its bytes (mode, owner, group, links), so a save can keep it.
namespace sw {

struct FileIdentity
{
    QString path; // where the bytes land: symbolic links followed
    bool exists = false;
    bool regular = false;
    // A new file renamed over this one would keep everything it was: one link, owned by the
    // user, in a folder the user may write, with room for a temporary name beside it.
    bool replaceable = false;
    unsigned mode = 0; // permission bits with set-user-ID, set-group-ID and sticky
    unsigned owner = 0;
    unsigned group = 0;
};

FileIdentity identifyFile(const QString& path);

// Gives the open file mode, owner and group of identity; false when the system does not allow
// all of it, as for a group the user is not in.
bool giveIdentity(int handle, const FileIdentity& identity);

} // namespace sw
