#pragma once

#include "script/flow_view.h"

#include <QListView>
#include <QMimeData>

// The flow list as the mouse uses it: Shift+click selects a run of steps, a press inside the
// run keeps it for a drag or the context menu, and a drag of the selected step or run shows
// where it would land and asks for the move when dropped. What the list shows and selects is
// the flow view's (see FlowListBinding). With the keyboard focus the list wears a frame and
// shows its selection in the strong colour; without it, in a pale one.
namespace sw {

class FlowListView : public QListView
{
    Q_OBJECT

public:
    explicit FlowListView(QWidget* parent);

    // What a drag of the selected steps carries: the list it comes from, which alone takes it.
    QMimeData* stepDragData() const;
    // Where a drop at a point of the viewport would put the selected step or run: the even
    // position of the line it would go before, or -1 where it would not move.
    int dropPlace(QPoint point) const;

Q_SIGNALS:
    // The selected step or run was dropped to go before the line at this position.
    void moveRequested(int position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    FlowView* flowView() const;
    bool isOwnDrag(const QDropEvent& event) const;
    void startStepDrag();
    void showDropPlace(int place);
    void showFocus(bool focused);

    QPoint m_pressPoint;
    bool m_mayDrag = false;
    int m_lineOnRelease = -1; // a press inside the run selects its line when no drag follows
    int m_dropPlace = -1;
};

} // namespace sw
