#include "app/desktop/app_version.h"

using namespace Qt::StringLiterals;

namespace sw {

QString baseCaption(int major, int minor)
{
    return u"KT615 Stepwright   V"_s + QString::number(major) + u'.' +
           (u"00"_s + QString::number(minor)).right(2);
}

QString fileCaption(const QString& fileName)
{
    return baseCaption() + u" - "_s + fileName;
}

} // namespace sw
