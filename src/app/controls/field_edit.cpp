#include "app/controls/field_edit.h"

#include "app/controls/field_note.h"
#include "files/code_page.h"
#include "steps/key_filters.h"
#include "steps/panel_rules.h"

#include <QKeyEvent>
#include <QValidator>

namespace sw {

namespace {

// Refuses, whole, any edit that would put a character the script file cannot hold into the
// field (typed, pasted, dropped or composed), and says so at the field; a Save would fail on
// it otherwise, long after the typing.
class CodePageValidator : public QValidator
{
public:
    explicit CodePageValidator(QLineEdit* field) : QValidator(field), m_field(field) {}

    State validate(QString& text, int&) const override
    {
        if (codepage::canEncode(text))
            return Acceptable;
        showFieldNote(m_field, CodePageNote);
        return Invalid;
    }

private:
    QLineEdit* m_field;
};

} // namespace

FieldEdit::FieldEdit(Filter filter, QWidget* parent) : QLineEdit(parent), m_filter(filter)
{
    if (filter == Filter::Digits)
        setMaxLength(MaxTimeDigits);
    setValidator(new CodePageValidator(this));
}

QString FieldEdit::filtered(const QString& typed) const
{
    QString passed;
    for (const QChar c : typed) {
        char16_t code = c.unicode();
        switch (m_filter) {
        case Filter::Comment:
            code = Comment_Key_Filter(code);
            break;
        case Filter::Digits:
            Digit_Key_Filter(code);
            break;
        case Filter::UpperCase:
            Upper_Case_Key_Filter(code);
            break;
        }
        if (code != 0)
            passed += QChar(code);
    }
    return passed;
}

bool FieldEdit::event(QEvent* event)
{
    // Undo and Redo belong to the field only while it has typing of its own to take back; a
    // time field drops their keys like any control character. Otherwise they reach the
    // script's history, so Ctrl+Z after a Set by Return takes back the Set.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ownUndo = m_filter != Filter::Digits && isUndoAvailable();
        const bool ownRedo = m_filter != Filter::Digits && isRedoAvailable();
        if ((key->matches(QKeySequence::Undo) && !ownUndo) ||
            (key->matches(QKeySequence::Redo) && !ownRedo)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    // Tab moves the focus and Delete edits; neither is a typed character.
    hideFieldNote();
    const QString typed = event->text();
    const int key = event->key();
    if (typed.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString passed = filtered(typed);
    // A key refused says why, a control character (Backspace, Escape) aside; so does a digit
    // that a full time field has no room for.
    const bool printable = typed.front().isPrint();
    const bool full = text().size() - selectedText().size() + passed.size() > maxLength();
    if (printable && (passed.size() < typed.size() || full))
        showFieldNote(this, m_filter == Filter::Comment ? CommentColonNote : DigitsOnlyNote);
    if (passed == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!passed.isEmpty())
        insert(passed);
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or another window taking over does not move the focus off the field.
    if (m_filter != Filter::Digits || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (const QString number = Normalise_Number_Field(text()); number != text())
        setText(number);
}

} // namespace sw
