#pragma once

#include "version/version.h"

#include <QString>

// The window's captions, which carry the version.
namespace sw {

// "KT615 Stepwright   V" + major + "." + the last two characters of "00" + minor.
QString baseCaption(int major = versionMajor(), int minor = versionMinor());
// The caption while a file is open: the base caption, " - " and the file's name.
QString fileCaption(const QString& fileName);

} // namespace sw
