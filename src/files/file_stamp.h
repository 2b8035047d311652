#pragma once

#include <QByteArray>
#include <QString>

// Telling whether a file changed on disk since the program last read or wrote it, as when
// another editor or a colleague saved it meanwhile.
namespace sw {

// False only when the file at path holds content, the bytes last read or written there, or is
// gone, so that a save overwrites nothing unseen. The content, not the time: a copy back or a
// touch changes no work. A file that cannot be read (refused, too large, not readable) cannot
// be compared, and counts as changed.
bool changedOnDisk(const QString& path, const QByteArray& content);

} // namespace sw
