#include "app/window_placement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

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
    // The platform knows the frame, if at all, once the native window exists; its exposure
    // tells when the window has been mapped, frame and all.
    m_window->winId();
    m_window->windowHandle()->installEventFilter(this);
    m_outer = outer;
    m_holding = true;
    apply();
}

void OuterGeometry::apply()
{
    m_frame = frame();
    m_window->move(m_outer.topLeft()); // a window's position is that of its frame
    // As the toolkit bounds it; a shown window reports its new size only later.
    m_client = m_outer.size()
                   .shrunkBy(m_frame)
                   .expandedTo(m_window->minimumSize())
                   .boundedTo(m_window->maximumSize());
    m_window->resize(m_client);
}

QMargins OuterGeometry::frame() const
{
    return m_window->windowHandle()->frameMargins();
}

bool OuterGeometry::eventFilter(QObject* watched, QEvent* event)
{
    if (m_holding) {
        // The native window's own resize comes before the widget has taken the new size, so
        // only the widget's events and the exposure count.
        const QEvent::Type type = event->type();
        const bool widgetMoved =
            watched == m_window &&
            (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show);
        if (widgetMoved || type == QEvent::Expose)
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
