#include "script/flow_view.h"

#include <algorithm>

namespace sw {

FlowView::FlowView(QObject* parent) : QAbstractListModel(parent)
{
    connect(this, &FlowView::rowsInserted, this, &FlowView::itemsChanged);
    connect(this, &FlowView::rowsRemoved, this, &FlowView::itemsChanged);
    connect(this, &FlowView::dataChanged, this, &FlowView::itemsChanged);
    connect(this, &FlowView::modelReset, this, &FlowView::itemsChanged);
}

int FlowView::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant FlowView::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count() || role != Qt::DisplayRole)
        return {};
    // A line of megabytes, which a file may hold in a comment, would be shaped whole at every
    // paint of its row, for seconds; the list shows its beginning, the flow keeps it whole.
    constexpr qsizetype ShownLength = 1000;
    const QString& text = m_items.at(index.row());
    if (text.size() <= ShownLength)
        return text;
    return text.first(ShownLength) + QChar(0x2026);
}

void FlowView::setItems(const QStringList& items)
{
    beginResetModel();
    m_items = items;
    endResetModel();
    select(-1);
}

void FlowView::insertLine(int position, const QString& text)
{
    beginInsertRows({}, position, position + 1);
    m_items.insert(position, QString(ConnectorLine));
    m_items.insert(position, text);
    endInsertRows();
    const auto shifted = [position](int item) { return item >= position ? item + 2 : item; };
    setSelection(shifted(m_anchor), shifted(m_selected));
}

void FlowView::removeLine(int position)
{
    // A line with nothing behind it has no connector to take along.
    const int last = std::min(position + 1, count() - 1);
    beginRemoveRows({}, position, last);
    m_items.remove(position, last - position + 1);
    endRemoveRows();
    if (m_selected >= 0 && runFirst() <= position + 1 && runLast() >= position)
        select(-1);
    else if (m_selected > position)
        setSelection(m_anchor - 2, m_selected - 2);
}

void FlowView::setItemText(int position, const QString& text)
{
    m_items[position] = text;
    const QModelIndex changed = index(position);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

namespace {

// The line a position stands for: a connector stands for the line above it.
int lineAt(int position, int count)
{
    if (position < 0 || position >= count)
        return -1;
    return position - position % 2;
}

} // namespace

void FlowView::setSelection(int anchor, int position)
{
    if (anchor == m_anchor && position == m_selected)
        return;
    m_anchor = anchor;
    m_selected = position;
    Q_EMIT selectedChanged(m_selected);
}

void FlowView::select(int position)
{
    const int line = lineAt(position, count());
    setSelection(line, line);
}

void FlowView::selectRun(int anchor, int position)
{
    const int firstStep = 2;
    const int lastStep = count() - 3;
    if (lastStep < firstStep)
        return;
    const auto keep = [&](int item) {
        const int line = lineAt(std::clamp(item, 0, count() - 1), count());
        return std::clamp(line, firstStep, lastStep);
    };
    setSelection(keep(anchor), keep(position));
}

void FlowView::selectPreviousLine(bool extend)
{
    if (m_selected < 2)
        return;
    extend ? selectRun(m_anchor, m_selected - 2) : select(m_selected - 2);
}

void FlowView::selectNextLine(bool extend)
{
    if (m_selected < 0 || m_selected + 2 >= count())
        return;
    extend ? selectRun(m_anchor, m_selected + 2) : select(m_selected + 2);
}

} // namespace sw
