#include "app/app_style.h"

#include <QStyleFactory>

using namespace Qt::StringLiterals;

// Resources of a static library need their initialiser called by name, outside any namespace.
static void initImages()
{
    Q_INIT_RESOURCE(images);
}

namespace sw {

namespace {

constexpr int ArrowNarrowing = 4; // from Fusion's 19 pixels to 15

void ensureImages()
{
    static const bool loaded = (initImages(), true);
    Q_UNUSED(loaded);
}

} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}

QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl sub, const QWidget* widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    if (control != CC_ComboBox)
        return rect;
    if (sub == SC_ComboBoxArrow)
        rect.setLeft(rect.left() + ArrowNarrowing);
    else if (sub == SC_ComboBoxEditField)
        rect.adjust(-1, 0, ArrowNarrowing, 0);
    return rect;
}

QFont appFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

QIcon appIcon()
{
    ensureImages();
    QIcon icon;
    icon.addFile(u":/images/app-icon-32.png"_s);
    icon.addFile(u":/images/app-icon-256.png"_s);
    return icon;
}

QIcon setArrow()
{
    ensureImages();
    return QIcon(u":/images/arrow-right.png"_s);
}

} // namespace sw
