#include "app/controls/return_keys.h"

#include <QKeyEvent>

#include <map>

namespace sw {

bool isReturnKey(const QKeyEvent& key)
{
    const auto held = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && held == Qt::NoModifier;
}

ReturnKeys::ReturnKeys(const WindowControls& controls, QObject* parent) : QObject(parent)
{
    std::map<StepKind, QAbstractButton*> setButtons;
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        const ControlKind kind = design[row].kind;
        if (kind != ControlKind::SetButton && kind != ControlKind::ListButton)
            continue;
        auto* button = static_cast<QAbstractButton*>(controls.widget(row));
        if (kind == ControlKind::SetButton)
            setButtons[design[row].panel] = button;
        pressOnReturn(button, button);
    }
    for (std::size_t row = 0; row < design.size(); ++row) {
        if (design[row].kind == ControlKind::ChoiceList || design[row].kind == ControlKind::TextBox)
            pressOnReturn(controls.widget(row), setButtons.at(design[row].panel));
    }
}

void ReturnKeys::pressOnReturn(QWidget* widget, QAbstractButton* button)
{
    m_buttons.insert(widget, button);
    widget->installEventFilter(this);
}

bool ReturnKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isReturnKey(*static_cast<QKeyEvent*>(event)))
        return false;
    m_buttons.value(watched)->click();
    return true;
}

} // namespace sw
