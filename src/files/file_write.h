#pragma once

#include "script/script_store.h"

#include <QByteArrayView>

namespace sw {

// Puts bytes in place of the file at path, keeping what the file was: mode, owner, group, its
// other names, and a symbolic link (the file it leads to is written). A new file is renamed
// over the old one where that keeps all of it; elsewhere the file is written in place, its
// former bytes kept to put back if the write fails. The failure text names the file, the
// reason, and what became of the former content.
ErrorText writeFileKeepingIt(const QString& path, QByteArrayView bytes);

} // namespace sw
