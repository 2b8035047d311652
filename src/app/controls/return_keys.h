#pragma once

#include "app/controls/window_controls.h"

#include <QAbstractButton>
#include <QHash>
#include <QKeyEvent>
#include <QObject>

// Return and Enter press a button: on a focused button that button, as Space does; in a
// panel's field or drop-down list the panel's Set button. The fields' key filters never see
// these keys.
namespace sw {

// Return or Enter from the main keys or the keypad, alone: with Shift they replace a step.
bool isReturnKey(const QKeyEvent& key);

class ReturnKeys : public QObject
{
    Q_OBJECT

public:
    // Watches the buttons, fields and lists of the window's controls.
    ReturnKeys(const WindowControls& controls, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pressOnReturn(QWidget* widget, QAbstractButton* button);

    QHash<QObject*, QAbstractButton*> m_buttons;
};

} // namespace sw
