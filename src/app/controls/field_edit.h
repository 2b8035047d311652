#pragma once

#include <QLineEdit>

// A panel's text field: every character typed at the keyboard passes its key filter first,
// and a dropped key changes nothing. Text pasted or written by the program is not filtered.
namespace sw {

class FieldEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class Filter
    {
        Comment,   // ":" refused
        Digits,    // digits and Backspace only; the number is tidied when the focus leaves
        UpperCase, // a to z become A to Z
    };

    FieldEdit(Filter filter, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString filtered(const QString& typed) const;

    Filter m_filter;
};

} // namespace sw
