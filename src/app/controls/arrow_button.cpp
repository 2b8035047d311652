#include "app/controls/arrow_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace sw {

namespace {

constexpr double ArrowBox = 32; // the outline's own square

// A shaft from the left into a head whose point touches the middle of the right side.
QPainterPath arrowOutline()
{
    QPainterPath path;
    path.moveTo(4, 12);
    path.lineTo(17, 12);
    path.lineTo(17, 5);
    path.lineTo(28, 16);
    path.lineTo(17, 27);
    path.lineTo(17, 20);
    path.lineTo(4, 20);
    path.closeSubpath();
    return path;
}

} // namespace

void ArrowButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRectF face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const double side = std::min(face.width(), face.height());
    if (side <= 0)
        return;
    static const QPainterPath outline = arrowOutline();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(face.center());
    painter.scale(side / ArrowBox, side / ArrowBox);
    painter.translate(-ArrowBox / 2, -ArrowBox / 2);
    painter.fillPath(outline, Qt::black);
}

void ArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    m_shift = event->modifiers() & Qt::ShiftModifier;
    QPushButton::mouseReleaseEvent(event);
    m_shift = false;
}

void ArrowButton::keyReleaseEvent(QKeyEvent* event)
{
    m_shift = event->modifiers() & Qt::ShiftModifier;
    QPushButton::keyReleaseEvent(event);
    m_shift = false;
}

} // namespace sw
