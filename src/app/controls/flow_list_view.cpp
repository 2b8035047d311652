#include "app/controls/flow_list_view.h"

#include "script/flow_editing.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

const QString DragType = u"application/x-stepwright-steps"_s;

QByteArray listIdentity(const QWidget* list)
{
    return QByteArray::number(reinterpret_cast<quintptr>(list), 16);
}

} // namespace

FlowListView::FlowListView(QWidget* parent) : QListView(parent)
{
    // Drags arrive at the viewport, which shows the rows.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false); // the list draws its own, between lines
    showFocus(false);
}

void FlowListView::showFocus(bool focused)
{
    // The toolkit's unfocused selection differs from the focused one by a shade only.
    QPalette colours = palette();
    const QPalette standard = QApplication::palette(this);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight,
                         focused ? standard.color(QPalette::Active, QPalette::Highlight)
                                 : QColor(205, 212, 222));
        colours.setColor(group, QPalette::HighlightedText,
                         focused ? standard.color(QPalette::Active, QPalette::HighlightedText)
                                 : standard.color(QPalette::Active, QPalette::Text));
    }
    setPalette(colours);
}

void FlowListView::focusInEvent(QFocusEvent* event)
{
    showFocus(true);
    QListView::focusInEvent(event);
}

void FlowListView::focusOutEvent(QFocusEvent* event)
{
    // A context menu takes the keys for a moment; the list stays the one they return to.
    if (event->reason() != Qt::PopupFocusReason)
        showFocus(false);
    QListView::focusOutEvent(event);
}

QMimeData* FlowListView::stepDragData() const
{
    auto* steps = new QMimeData;
    steps->setData(DragType, listIdentity(this));
    return steps;
}

FlowView* FlowListView::flowView() const
{
    return qobject_cast<FlowView*>(model());
}

void FlowListView::mousePressEvent(QMouseEvent* event)
{
    FlowView* flow = flowView();
    const QModelIndex index = indexAt(event->position().toPoint());
    m_mayDrag = false;
    m_lineOnRelease = -1;
    if (!flow || !index.isValid()) {
        QListView::mousePressEvent(event);
        return;
    }
    const int line = index.row() - index.row() % 2;
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ShiftModifier) {
        setFocus(Qt::MouseFocusReason);
        flow->selectRun(flow->anchor(), line);
        return;
    }
    m_pressPoint = event->position().toPoint();
    const bool inRun =
        flow->runFirst() != flow->runLast() && line >= flow->runFirst() && line <= flow->runLast();
    if (inRun) {
        setFocus(Qt::MouseFocusReason);
        m_mayDrag = event->button() == Qt::LeftButton;
        m_lineOnRelease = m_mayDrag ? line : -1;
        return;
    }
    QListView::mousePressEvent(event);
    m_mayDrag = event->button() == Qt::LeftButton && selectsSteps(*flow);
}

void FlowListView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_mayDrag || !(event->buttons() & Qt::LeftButton)) {
        QListView::mouseMoveEvent(event);
        return;
    }
    // Held on a step: the selection stays as it is until the mouse has gone far enough to drag.
    if ((event->position().toPoint() - m_pressPoint).manhattanLength() >=
        QApplication::startDragDistance()) {
        m_mayDrag = false;
        m_lineOnRelease = -1;
        startStepDrag();
    }
}

void FlowListView::mouseReleaseEvent(QMouseEvent* event)
{
    m_mayDrag = false;
    if (FlowView* flow = flowView(); flow && m_lineOnRelease >= 0) {
        flow->select(m_lineOnRelease);
        m_lineOnRelease = -1;
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void FlowListView::startStepDrag()
{
    auto* drag = new QDrag(this);
    drag->setMimeData(stepDragData());
    drag->exec(Qt::MoveAction);
    showDropPlace(-1);
}

bool FlowListView::isOwnDrag(const QDropEvent& event) const
{
    return event.mimeData()->data(DragType) == listIdentity(this);
}

int FlowListView::dropPlace(QPoint point) const
{
    const FlowView* flow = flowView();
    if (!flow || !selectsSteps(*flow))
        return -1;
    const int count = flow->count();
    const QModelIndex index = indexAt(point);
    int place = count - 1; // below the last line: before "(End)"
    if (index.isValid()) {
        const int line = index.row() - index.row() % 2;
        const bool upperHalf = index.row() == line && point.y() < visualRect(index).center().y();
        place = upperHalf ? line : line + 2;
    }
    place = std::clamp(place, 2, count - 1);
    if (place >= flow->runFirst() && place <= flow->runLast() + 2)
        return -1;
    return place;
}

void FlowListView::showDropPlace(int place)
{
    if (place == m_dropPlace)
        return;
    m_dropPlace = place;
    viewport()->update();
}

void FlowListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isOwnDrag(*event)) {
        event->ignore();
        return;
    }
    setState(DraggingState);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void FlowListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!isOwnDrag(*event)) {
        event->ignore();
        return;
    }
    // The list scrolls near its edges as for any drag.
    QListView::dragMoveEvent(event);
    showDropPlace(dropPlace(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void FlowListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    showDropPlace(-1);
    QListView::dragLeaveEvent(event);
}

void FlowListView::dropEvent(QDropEvent* event)
{
    if (!isOwnDrag(*event)) {
        event->ignore();
        return;
    }
    stopAutoScroll();
    setState(NoState);
    const int place = dropPlace(event->position().toPoint());
    showDropPlace(-1);
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (place >= 0)
        Q_EMIT moveRequested(place);
}

void FlowListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    QPainter painter(viewport());
    const QColor strong = palette().color(QPalette::Active, QPalette::Highlight);
    if (hasFocus()) {
        painter.setPen(QPen(strong, 2));
        painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    }
    const FlowView* flow = flowView();
    if (m_dropPlace < 0 || !flow || m_dropPlace >= flow->count())
        return;
    // A bar across the list at the top of the line the steps would go before.
    const int y = visualRect(flow->index(m_dropPlace)).top();
    painter.fillRect(QRect(0, y - 1, viewport()->width(), 3), strong);
}

} // namespace sw
