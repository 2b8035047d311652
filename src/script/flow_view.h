#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <algorithm>

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
    explicit FlowView(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return static_cast<int>(m_items.size()); }
    const QString& itemText(int position) const { return m_items.at(position); }
    const QStringList& items() const { return m_items; }

    // Replaces every item; nothing is selected afterwards.
    void setItems(const QStringList& items);
    // Inserts a line at an even position together with the connector that follows it; the
    // selection stays on the items it was on.
    void insertLine(int position, const QString& text);
    // Removes the line at an even position and the connector after it; a selection that holds
    // either is cleared, one behind them stays on its items.
    void removeLine(int position);
    // Replaces an item's text in place; the selection stays where it is.
    void setItemText(int position, const QString& text);

    // The selected position, -1 for none: the line that moves when a run is extended.
    int selected() const { return m_selected; }
    // A run of steps may be selected: the lines from runFirst() to runLast(), which are the
    // selected line alone when no run is.
    int anchor() const { return m_anchor; }
    int runFirst() const { return std::min(m_anchor, m_selected); }
    int runLast() const { return std::max(m_anchor, m_selected); }
    // Selects one position; a connector (odd position) selects the line just above it.
    void select(int position);
    // Selects the run from anchor to position. "(Start)" and "(End)" never join a run, so both
    // ends are kept to the steps; without steps the selection stays as it is.
    void selectRun(int anchor, int position);
    // The arrow keys' steps: on to the next or back to the previous line, if there is one.
    // Extending moves the run's free end from the selected line instead.
    void selectNextLine(bool extend = false);
    void selectPreviousLine(bool extend = false);

Q_SIGNALS:
    // The selected line or the run changed.
    void selectedChanged(int position);
    // The items changed, whatever made them change (an edit, an undo, a new script): for
    // those that only need to know that the script may differ now.
    void itemsChanged();

private:
    void setSelection(int anchor, int position);

    QStringList m_items;
    int m_anchor = -1;
    int m_selected = -1;
};

} // namespace sw
