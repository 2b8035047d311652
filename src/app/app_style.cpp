#include "app/app_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

using namespace Qt::StringLiterals;

// Resources of a static library need their initialiser called by name, outside any namespace.
static void initImages()
{
    Q_INIT_RESOURCE(images);
}

namespace sw {

namespace {

constexpr int ArrowNarrowing = 4; // from Fusion's 19 pixels to 15

constexpr QColor FocusColour{0, 70, 200};
constexpr int FocusWidth = 2;

void drawFocusRing(const QStyleOption* option, QPainter* painter)
{
    if (!(option->state & QStyle::State_HasFocus))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(FocusColour, FocusWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    // The pen straddles the rectangle: half a pen in from the edge keeps it all inside.
    const double inset = FocusWidth / 2.0;
    painter->drawRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

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

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit)
        drawFocusRing(option, painter);
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox)
        drawFocusRing(option, painter);
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton)
        drawFocusRing(option, painter);
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

} // namespace sw
