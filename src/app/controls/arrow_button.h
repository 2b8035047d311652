#pragma once

#include <QPushButton>

// A Set button: the black arrow pointing right, towards the flow list, painted from its
// outline at whatever size and pixel density the button has, always inside its face. A press
// with Shift held asks for Replace instead of Set.
namespace sw {

class ArrowButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // While clicked() is emitted: whether Shift was held on the mouse or space bar release.
    bool isShiftClick() const { return m_shift; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool m_shift = false; // while the release that clicks is handled
};

} // namespace sw
