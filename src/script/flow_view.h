#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The items of the flow list: the lines of the flow shown at even positions, each followed by
// a connector but "(End)". The list widget displays this model; it holds no script of its own.
// An item longer than a list can show is displayed shortened; its text stays whole.
namespace sw {

inline constexpr QLatin1StringView ConnectorLine{"     |"};
inline constexpr int MaxFlowItems = 515; // 258 lines and 257 connectors

class FlowView : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return static_cast<int>(m_items.size()); }
    const QString& itemText(int position) const { return m_items.at(position); }
    const QStringList& items() const { return m_items; }

    // Replaces every item; nothing is selected afterwards.
    void setItems(const QStringList& items);
    // Inserts a line at an even position together with the connector that follows it; the
    // selection stays on the item it was on.
    void insertLine(int position, const QString& text);
    // Removes the line at an even position and the connector after it; a selection on either
    // is cleared, one behind them stays on its item.
    void removeLine(int position);
    // Replaces an item's text in place; the selection stays where it is.
    void setItemText(int position, const QString& text);

    // The selected position, -1 for none.
    int selected() const { return m_selected; }
    // Selects a position; a connector (odd position) selects the line just above it.
    void select(int position);
    // The arrow keys' steps: on to the next or back to the previous line, if there is one.
    void selectNextLine();
    void selectPreviousLine();

Q_SIGNALS:
    void selectedChanged(int position);

private:
    QStringList m_items;
    int m_selected = -1;
};

} // namespace sw
