#include "app/controls/version_dialog.h"

#include "app/controls/app_style.h"
#include "app/controls/twips.h"
#include "app/desktop/app_version.h"

#include <QLabel>
#include <QPushButton>

#include <array>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr double DialogFontSize = 9.75;

struct DialogLabel
{
    QLatin1StringView name;
    QLatin1StringView text;
    int left;
    int top;
};

} // namespace

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmVer"_s);
    setWindowTitle(u"Version"_s);
    setModal(true);
    setColour(this, QPalette::Window, PanelColour);
    setFont(appFont(DialogFontSize));

    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const auto place = [dpiX, dpiY](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(twipsToPixels(left, top, width, height, dpiX, dpiY));
    };
    setFixedSize(twipsToPixels(4335, dpiX), twipsToPixels(3015, dpiY));

    auto* picture = new QLabel(this);
    picture->setObjectName(u"Picture1"_s);
    picture->setPixmap(appIcon().pixmap(32, 32));
    place(picture, 240, 840, 480, 480);

    const std::array<DialogLabel, 5> labels{{
        {"Label1"_L1, "KT615"_L1, 1080, 360},
        {"Label2"_L1, "Stepwright"_L1, 1080, 720},
        {"Label3"_L1, "Version"_L1, 1440, 1080},
        {"Label4"_L1, MakerNotice, 1080, 1440},
        {"Label5"_L1, MakerName, 1080, 1800},
    }};
    for (const DialogLabel& entry : labels) {
        auto* label = new QLabel(QString(entry.text), this);
        label->setObjectName(QString(entry.name));
        label->move(twipsToPixels(entry.left, dpiX), twipsToPixels(entry.top, dpiY));
        label->adjustSize();
    }

    auto* version = new QLabel(versionText(), this);
    version->setObjectName(u"lblVersion"_s);
    place(version, 2280, 1080, 1455, 255);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    place(ok, 1320, 2400, 1575, 375);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace sw
