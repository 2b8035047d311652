#pragma once

#include <QString>

// The program's version, fixed at build time: major 1, minor 2, shown as 1.02.
namespace sw {

int versionMajor();
int versionMinor();

// "KT615 Stepwright   V" + major + "." + the last two characters of "00" + minor.
QString baseCaption(int major = versionMajor(), int minor = versionMinor());
// The caption while a file is open: the base caption, " - " and the file's name.
QString fileCaption(const QString& fileName);
// major + "." + minor with at least two digits, as the version dialog shows it.
QString versionText(int major = versionMajor(), int minor = versionMinor());

} // namespace sw
