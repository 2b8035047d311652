#pragma once

#include <QString>

// Splitting the paths the file dialogs return. Both return an empty text on success and
// "File Path Error" when the path has no folder or no file part.
namespace sw {

inline constexpr QLatin1StringView FilePathError{"File Path Error"};

// The folder in front of the last "/" ("/" itself for a file directly in the root).
QString Get_File_Directory(const QString& path, QString& folder);
// The part behind the last "/"; name is left as it was on failure.
QString Get_File_Name(const QString& path, QString& name);

// The path with "." + suffix added unless its file name already ends in it, in any letter case,
// as a save dialog adds it to a typed name; some platform dialogs leave that to the program.
// "Line1.v2" becomes "Line1.v2.scp": a name with a dot of its own still needs the suffix.
QString withDefaultSuffix(const QString& path, QStringView suffix);

} // namespace sw
