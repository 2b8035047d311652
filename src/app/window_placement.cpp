#include "app/window_placement.h"

#include <QEvent>
#include <QWidget>

namespace sw {

QRect placeOnScreen(QSizeF outer, QSize minimum, const QRect& available)
{
    // Bounded before rounding, which a number far out of range would overflow.
    const auto fit = [](double size, int least, int most) {
        return qMax(least, qRound(qBound(0.0, size, double(most))));
    };
    QRect rect(0, 0, fit(outer.width(), minimum.width(), available.width()),
               fit(outer.height(), minimum.height(), available.height()));
    rect.moveCenter(available.center());
    return rect;
}

OuterGeometry::OuterGeometry(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void OuterGeometry::place(const QRect& outer)
{
    // The platform knows the frame, if at all, once the native window exists.
    m_window->winId();
    m_outer = outer;
    m_holding = true;
    apply();
}

void OuterGeometry::apply()
{
    m_frame = frame();
    m_window->move(m_outer.topLeft()); // a window's position is that of its frame
    m_window->resize(m_outer.size().shrunkBy(m_frame));
    // What the toolkit made of it, after the window's minimum size.
    m_client = m_window->size();
}

QMargins OuterGeometry::frame() const
{
    const QRect inner = m_window->geometry();
    const QRect outer = m_window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool OuterGeometry::eventFilter(QObject* watched, QEvent* event)
{
    if (m_holding && watched == m_window) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
            follow();
    }
    return QObject::eventFilter(watched, event);
}

void OuterGeometry::follow()
{
    if (m_window->size() != m_client) {
        m_holding = false;
        return;
    }
    const QMargins now = frame();
    if (now != m_frame)
        apply();
    if (m_window->isVisible() && !now.isNull())
        m_holding = false;
}

} // namespace sw
