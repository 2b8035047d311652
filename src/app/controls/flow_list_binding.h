#pragma once

#include "script/flow_view.h"

#include <QListView>
#include <QObject>

// Shows the flow view in the list. The list owns no script: every selection it is asked for,
// by mouse, keyboard or program, goes to the flow view, whose rule decides where it lands
// (never on a connector), and the list shows what the flow view selected: a line, or a run of
// steps, which Shift with the arrow keys extends.
namespace sw {

class FlowListBinding : public QObject
{
    Q_OBJECT

public:
    // Becomes a child of the list.
    FlowListBinding(QListView* list, FlowView& flow);

    // The first line in sight, and showing a flow from a row on, its selection in sight.
    int topRow() const;
    void showFromRow(int row);

Q_SIGNALS:
    void deletePressed();
    // Return or Enter: load the selected step back into its panel.
    void loadPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelected(int position);

    QListView* m_list;
    FlowView& m_flow;
    QItemSelectionModel* m_selection;
};

} // namespace sw
