#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Telling whether a file changed on disk since the program last read or wrote it, as when
// another editor or a colleague saved it meanwhile.
namespace sw {

// A digest of a file's content.
QByteArray contentStamp(QByteArrayView bytes);

// True when the file at path can be read and its content's stamp is not stamp. A file that is
// gone, or cannot be read, holds nothing a save could overwrite unseen.
bool changedOnDisk(const QString& path, const QByteArray& stamp);

} // namespace sw
