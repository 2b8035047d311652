#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace sw {

// The bytes each of names was given as among the program's arguments: Qt decodes them as text,
// which changes a name that is not valid in the locale's encoding, so such a file could no
// longer be opened. Options are plain ASCII, so matching the decoded arguments in order finds
// each name's own bytes.
QList<QByteArray> nativeArguments(const QStringList& names, int argc, char** argv);

} // namespace sw
