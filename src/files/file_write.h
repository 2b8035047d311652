#pragma once

#include "script/script_store.h"

#include <QByteArrayView>

namespace sw {

struct WriteResult
{
    ErrorText error; // empty when written
    // When written, what of the file could not be kept and the user must hear of: the set-ID
    // bits the system clears when another user than the owner writes a file.
    QString notice;
};

// Puts bytes in place of the file at path, keeping what the file was: mode, owner, group, its
// other names, and a symbolic link (the file it leads to is written). A new file is renamed
// over the old one where that keeps all of it; elsewhere the file is written in place, its
// former bytes kept to put back if the write fails. The failure text names the file, the
// reason, and what the file holds afterwards, as read back.
WriteResult writeFileKeepingIt(const QString& path, QByteArrayView bytes);

} // namespace sw
