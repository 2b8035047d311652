#include "app/controls/field_note.h"

#include <QToolTip>
#include <QWidget>

namespace sw {

void showFieldNote(QWidget* field, const QString& note)
{
    // Below the field, so the note covers neither what was typed nor the field's caption.
    constexpr int ShownMilliseconds = 4000;
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), note, field, {},
                       ShownMilliseconds);
}

void hideFieldNote()
{
    QToolTip::hideText();
}

} // namespace sw
