#include "script/flow_view.h"

#include <algorithm>

namespace sw {

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
    if (m_selected >= position)
        select(m_selected + 2);
}

void FlowView::removeLine(int position)
{
    // A line with nothing behind it has no connector to take along.
    const int last = std::min(position + 1, count() - 1);
    beginRemoveRows({}, position, last);
    m_items.remove(position, last - position + 1);
    endRemoveRows();
    if (m_selected == position || m_selected == position + 1)
        select(-1);
    else if (m_selected > position)
        select(m_selected - 2);
}

void FlowView::setItemText(int position, const QString& text)
{
    m_items[position] = text;
    const QModelIndex changed = index(position);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

void FlowView::select(int position)
{
    if (position < 0 || position >= count())
        position = -1;
    else if (position % 2 == 1)
        position -= 1;
    if (position == m_selected)
        return;
    m_selected = position;
    Q_EMIT selectedChanged(m_selected);
}

void FlowView::selectPreviousLine()
{
    if (m_selected >= 2)
        select(m_selected - 2);
}

void FlowView::selectNextLine()
{
    if (m_selected >= 0 && m_selected + 2 < count())
        select(m_selected + 2);
}

} // namespace sw
