#include "app/flow_list_binding.h"

#include "app/return_keys.h"

#include <QItemSelectionModel>
#include <QKeyEvent>

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

private:
    // Where a selection lands: nowhere (a click below the last line) keeps the selected line,
    // as a list box does; only the flow view itself clears it.
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
    list->setSelectionModel(new FlowSelectionModel(flow, list));
    delete toolkitDefault;
    connect(&flow, &FlowView::selectedChanged, this, &FlowListBinding::showSelected);
    list->installEventFilter(this);
}

void FlowListBinding::showSelected(int position)
{
    QItemSelectionModel* selection = m_list->selectionModel();
    if (position < 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = m_flow.index(position);
    if (selection->currentIndex() != index || !selection->isSelected(index))
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Also when the line stays current while rows come before it ("(End)" under a Set).
    m_list->scrollTo(index);
}

// Up and Down step from line to line; the list's own handling would stop on connectors.
bool FlowListBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isReturnKey(*key)) {
        Q_EMIT loadPressed();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Down:
        m_flow.selectNextLine();
        return true;
    case Qt::Key_Up:
        m_flow.selectPreviousLine();
        return true;
    case Qt::Key_Delete:
        Q_EMIT deletePressed();
        return true;
    default:
        return false;
    }
}

} // namespace sw
