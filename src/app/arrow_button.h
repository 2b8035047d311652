#pragma once

#include <QPushButton>

// A Set button: the black arrow pointing right, towards the flow list, painted from its
// outline at whatever size and pixel density the button has, always inside its face.
namespace sw {

class ArrowButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sw
