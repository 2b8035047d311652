#include "version/version.h"

namespace sw {

int versionMajor()
{
    return STEPWRIGHT_VERSION_MAJOR;
}

int versionMinor()
{
    return STEPWRIGHT_VERSION_MINOR;
}

QString versionText(int major, int minor)
{
    return QString::number(major) + u'.' + QString::number(minor).rightJustified(2, u'0');
}

} // namespace sw
