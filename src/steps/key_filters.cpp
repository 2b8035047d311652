#include "steps/key_filters.h"

namespace sw {

namespace {
constexpr char16_t Dropped = 0;
constexpr char16_t Backspace = 8;
} // namespace

char16_t Comment_Key_Filter(char16_t code)
{
    return code == u':' ? Dropped : code;
}

char16_t Digit_Key_Filter(char16_t& code)
{
    if ((code >= u'0' && code <= u'9') || code == Backspace)
        return code;
    code = Dropped;
    return code;
}

char16_t Upper_Case_Key_Filter(char16_t& code)
{
    if (code >= u'a' && code <= u'z')
        code = static_cast<char16_t>(code - u'a' + u'A');
    return code;
}

QString Normalise_Number_Field(const QString& text)
{
    if (text.isEmpty())
        return text;
    // Blanks are skipped wherever they stand; a sign or a decimal point ends the number, so
    // the field never holds anything a step line could not carry. Leading zeros are dropped
    // as the digits are read, so no run of digits can overflow.
    QString digits;
    for (const QChar c : text) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            break;
        if (!digits.isEmpty() || c != u'0')
            digits += c;
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

} // namespace sw
