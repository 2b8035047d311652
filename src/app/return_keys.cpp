#include "app/return_keys.h"

#include <QKeyEvent>

namespace sw {

bool isReturnKey(const QKeyEvent& key)
{
    const auto held = key.modifiers() & ~Qt::KeypadModifier & ~Qt::ShiftModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && held == Qt::NoModifier;
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
