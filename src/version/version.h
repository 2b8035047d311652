#pragma once

#include <QString>

// The programs' version, fixed at build time from the project's version: major 1, minor 2,
// shown as 1.02. Both the editor and the checker report it.
namespace sw {

int versionMajor();
int versionMinor();

// major + "." + minor with at least two digits, as the version dialog and --version show it.
QString versionText(int major = versionMajor(), int minor = versionMinor());

} // namespace sw
