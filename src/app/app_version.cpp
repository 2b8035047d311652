#include "app/app_version.h"

using namespace Qt::StringLiterals;

namespace sw {

int versionMajor()
{
    return STEPWRIGHT_VERSION_MAJOR;
}

int versionMinor()
{
    return STEPWRIGHT_VERSION_MINOR;
}

QString baseCaption(int major, int minor)
{
    return u"KT615 Stepwright   V"_s + QString::number(major) + u'.' +
           (u"00"_s + QString::number(minor)).right(2);
}

QString fileCaption(const QString& fileName)
{
    return baseCaption() + u" - "_s + fileName;
}

QString versionText(int major, int minor)
{
    return QString::number(major) + u'.' + QString::number(minor).rightJustified(2, u'0');
}

} // namespace sw
