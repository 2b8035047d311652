#include "app/desktop/app_identity.h"

#include "version/version.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace sw {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(u"Stepwright"_s);
    QCoreApplication::setApplicationVersion(versionText());
    // Given by the build, which names the installed files after it.
    QGuiApplication::setDesktopFileName(QStringLiteral(STEPWRIGHT_APP_ID));
}

} // namespace sw
