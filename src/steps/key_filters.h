#pragma once

#include <QString>

// Filters for characters typed into the panels' text fields. A result of 0 drops the key.
// They see typed characters only: pasted text and text the program writes pass unfiltered.
namespace sw {

// Refuses ":", which would compete with the step number tag at the end of the line.
char16_t Comment_Key_Filter(char16_t code);
// Lets the digits and Backspace through; sets code to the result as well.
char16_t Digit_Key_Filter(char16_t& code);
// Turns a to z into A to Z; sets code to the result as well.
char16_t Upper_Case_Key_Filter(char16_t& code);

// The text a time field holds once the focus leaves it: the number read from its start
// (blanks skipped, 0 when there is none) in its shortest decimal form; empty stays empty.
QString Normalise_Number_Field(const QString& text);

} // namespace sw
