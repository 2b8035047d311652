#include "app/desktop/window_placement.h"

#include "app/desktop/window_frame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace sw {

QRect placeOnScreen(QSizeF outer, const QRect& available)
{
    // Bounded before rounding, which a number far out of range would overflow.
    const auto fit = [](double size, int most) { return qRound(qBound(0.0, size, double(most))); };
    QRect rect(0, 0, fit(outer.width(), available.width()),
               fit(outer.height(), available.height()));
    rect.moveCenter(available.center());
    return rect;
}

OuterGeometry::OuterGeometry(QWidget* window, std::function<void()> frameChanged)
    : QObject(window), m_window(window), m_frameChanged(std::move(frameChanged))
{
    window->installEventFilter(this);
}

void OuterGeometry::place(const QRect& outer)
{
    // The frame can be asked for, and the exposure seen, once the native window exists.
    m_window->winId();
    QWindow* native = m_window->windowHandle();
    native->installEventFilter(this);
    if (m_expected.isNull() && !m_window->isVisible())
        m_expected = expectedWindowFrame(native);
    m_outer = outer;
    m_frame = frame();
    m_reported = m_frame;
    m_holding = m_frame.isNull();
    apply();
}

void OuterGeometry::apply()
{
    // As the toolkit bounds it, and never empty, which no platform maps; a shown window reports
    // its new size only later.
    m_client = m_outer.size()
                   .shrunkBy(m_frame)
                   .expandedTo(m_window->minimumSizeHint())
                   .expandedTo({1, 1})
                   .boundedTo(m_window->maximumSize());
    // The inner rectangle: the toolkit would take a position for the frame's only when it knows
    // the frame itself.
    m_window->setGeometry({m_outer.topLeft() + QPoint(m_frame.left(), m_frame.top()), m_client});
}

QMargins OuterGeometry::frame() const
{
    const QWindow* native = m_window->windowHandle();
    const QMargins reported = native ? native->frameMargins() : QMargins();
    return reported.isNull() ? m_expected : reported;
}

QSize OuterGeometry::outerSize() const
{
    return m_window->size().grownBy(frame());
}

bool OuterGeometry::eventFilter(QObject* watched, QEvent* event)
{
    // The native window's own resize comes before the widget has taken the new size, so only
    // the widget's events and the exposure count.
    const QEvent::Type type = event->type();
    const bool widgetMoved =
        watched == m_window &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show);
    if (widgetMoved || type == QEvent::Expose) {
        if (m_holding)
            follow();
        if (frame() != m_reported) {
            m_reported = frame();
            m_frameChanged();
        }
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
    if (now != m_frame) {
        m_frame = now;
        apply();
    }
    if (m_window->isVisible() && !now.isNull())
        m_holding = false;
}

} // namespace sw
