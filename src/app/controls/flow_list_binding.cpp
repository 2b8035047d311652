#include "app/controls/flow_list_binding.h"

#include "app/controls/return_keys.h"

#include <QItemSelectionModel>
#include <QKeyEvent>

#include <algorithm>

namespace sw {

namespace {

class FlowSelectionModel : public QItemSelectionModel
{
public:
    FlowSelectionModel(FlowView& flow, QObject* parent)
        : QItemSelectionModel(&flow, parent), m_flow(flow)
    {}

    void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override
    {
        QItemSelectionModel::setCurrentIndex(decide(index), command);
    }

    void select(const QModelIndex& index, SelectionFlags command) override
    {
        QItemSelectionModel::select(decide(index), single(command));
    }

    void select(const QItemSelection& selection, SelectionFlags command) override
    {
        const QModelIndex line = decide(
            selection.isEmpty() ? QModelIndex() : QModelIndex(selection.constFirst().topLeft()));
        QItemSelectionModel::select(line.isValid() ? QItemSelection(line, line) : selection,
                                    single(command));
    }

    // Shows the flow view's selection as it is: a run as one block, connectors between its
    // lines included, the selected line current.
    void show(int first, int last, int current)
    {
        const QModelIndex top = m_flow.index(first);
        QItemSelectionModel::select(QItemSelection(top, m_flow.index(last)), ClearAndSelect);
        QItemSelectionModel::setCurrentIndex(m_flow.index(current), NoUpdate);
    }

private:
    // Where a selection lands (lstScript_Click): nowhere (a click below the last line) keeps the
    // selected line, as a list box does; only the flow view itself clears it.
    QModelIndex decide(const QModelIndex& index)
    {
        if (index.isValid())
            m_flow.select(index.row());
        return m_flow.index(m_flow.selected());
    }

    // A line once selected stays selected until another is: no toggling it off.
    static SelectionFlags single(SelectionFlags command)
    {
        if (!(command & (Deselect | Toggle)))
            return command;
        command.setFlag(Deselect, false);
        command.setFlag(Toggle, false);
        return command | ClearAndSelect;
    }

    FlowView& m_flow;
};

} // namespace

FlowListBinding::FlowListBinding(QListView* list, FlowView& flow)
    : QObject(list), m_list(list), m_flow(flow)
{
    list->setModel(&flow);
    QItemSelectionModel* toolkitDefault = list->selectionModel();
    m_selection = new FlowSelectionModel(flow, list);
    list->setSelectionModel(m_selection);
    delete toolkitDefault;
    connect(&flow, &FlowView::selectedChanged, this, &FlowListBinding::showSelected);
    list->installEventFilter(this);
}

void FlowListBinding::showSelected(int position)
{
    auto* selection = static_cast<FlowSelectionModel*>(m_selection);
    if (position < 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = m_flow.index(position);
    if (m_flow.runFirst() != m_flow.runLast())
        selection->show(m_flow.runFirst(), m_flow.runLast(), position);
    else if (selection->currentIndex() != index || !selection->isSelected(index) ||
             selection->selectedIndexes().size() != 1)
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Also when the line stays current while rows come before it ("(End)" under a Set).
    m_list->scrollTo(index);
}

int FlowListBinding::topRow() const
{
    return std::max(m_list->indexAt(QPoint(0, 0)).row(), 0);
}

void FlowListBinding::showFromRow(int row)
{
    // The rows are laid out when the list is next painted; the scroll range needs them now.
    m_list->doItemsLayout();
    m_list->scrollTo(m_flow.index(row), QAbstractItemView::PositionAtTop);
    if (m_flow.selected() >= 0)
        m_list->scrollTo(m_flow.index(m_flow.selected()));
}

// The list's keys (lstScript_KeyDown): Up and Down step from line to line, where the list's own
// handling would stop on connectors.
bool FlowListBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isReturnKey(*key)) {
        Q_EMIT loadPressed();
        return true;
    }
    // Shift extends the run; with Ctrl the window's move keys have the arrows.
    const bool extend = key->modifiers() == Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Down:
        m_flow.selectNextLine(extend);
        return true;
    case Qt::Key_Up:
        m_flow.selectPreviousLine(extend);
        return true;
    case Qt::Key_Delete:
        Q_EMIT deletePressed();
        return true;
    default:
        return false;
    }
}

} // namespace sw
