#pragma once

#include "script/flow_view.h"
#include "script/script_store.h"

// Step numbers: every numbered line ends in a tag ":(" + its number in its flow + ")". A line
// without a comment part first gets the empty comment marker "  //" in front of its tag.
namespace sw {

inline constexpr QLatin1StringView UnexpectedError{"Unexpected error."};

// Gives the line the tag for number (0 to 999). Only a trailing ":(" digits ")" counts as an
// old tag to replace, so a ":" in a module name, a file name or a comment never cuts the line.
ErrorText Set_Step_Number(QString& line, int number);
// Gives a line fresh from a panel, which has no tag yet, the tag for number (0 to 999) by
// appending it, so a comment that ends in what looks like a tag (‹see :(3)›) keeps it.
ErrorText Tag_New_Step(QString& line, int number);
// Takes the trailing tag off a step line that has one; the "//" in front of it stays, and
// comment lines, which carry no number, stay whole.
void Remove_Step_Number(QString& line);
// Reads the digits between the last ":(" and the last ")": 1 to 3 of them, or it fails with
// "Unexpected error." and number -1.
ErrorText Get_Step_Number(const QString& line, int& number);

// Renumbers the view's lines from an even position down to "(End)", going on from the number
// of the nearest numbered line above it.
ErrorText Renumber_Steps(FlowView& view, int start);
// Numbers both flows of the working copy from 1, as after opening a file.
ErrorText Number_All_Steps(ScriptStore& store);

} // namespace sw
