#pragma once

#include <QByteArray>
#include <QString>

// Telling whether a file changed on disk since the program last read or wrote it, as when
// another editor or a colleague saved it meanwhile.
namespace sw {

// True when the file at path can be read and holds other bytes than content, the bytes last
// read or written there. The content, not the time: a copy back or a touch changes no work.
// A file that is gone, or cannot be read, holds nothing a save could overwrite unseen.
bool changedOnDisk(const QString& path, const QByteArray& content);

} // namespace sw
