#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QProxyStyle>
#include <QWidget>

// The window's colours, its font and its pictures.
namespace sw {

inline constexpr QColor PanelColour{199, 215, 216}; // window, panels, captions, lblFlow
inline constexpr QColor FieldColour{255, 255, 128}; // text boxes, drop-down lists, buttons
inline constexpr QColor TitleColour{255, 255, 255}; // the panels' title labels
inline constexpr QColor LoadedColour{255, 170, 60}; // the title of the panel a step is loaded in

// Arial, with Liberation Sans (its metric twin) where Arial is missing.
QFont appFont(double pointSize, bool bold = false);

// Paints a widget's role in a colour; a background role also makes the widget fill it.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Fusion, whose drop-down lists give their text a few pixels more: at the window's design
// sizes the longest entries ("TargetProbe1") fill their list's width to the last pixel. The
// field, list or button with the keyboard focus wears a ring that shows on the yellow, from
// the start and whether the focus came by mouse or key.
class WindowStyle : public QProxyStyle
{
public:
    WindowStyle();
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// The application icon: a script page with an arrow pointing down into a hand-held device.
QIcon appIcon();

} // namespace sw
