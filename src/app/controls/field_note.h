#pragma once

#include <QString>

class QWidget;

// A short note of a rule, shown at the field where the input happened, the way a tooltip is:
// it goes after a moment, or at the next key (hideFieldNote).
namespace sw {

inline constexpr QLatin1StringView DigitsOnlyNote{"Digits only, up to five."};
inline constexpr QLatin1StringView CommentColonNote{"A comment cannot hold \":\"."};
inline constexpr QLatin1StringView CodePageNote{
    "This character cannot be stored in a script file."};

void showFieldNote(QWidget* field, const QString& note);
void hideFieldNote();

} // namespace sw
