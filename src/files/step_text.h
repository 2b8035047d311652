#pragma once

#include "script/script_store.h"

#include <QStringList>

// Steps as plain text, as the clipboard carries them between the flows, between editors and
// to and from other programs: one line a step, each ended by CR LF, as in a script file.
namespace sw {

// The text of the lines, each followed by CR LF.
QString stepText(const QStringList& lines);

struct PastedSteps
{
    QStringList lines; // the steps to insert, without their numbers
    ErrorText error;   // why the text was refused; lines is empty then
};

// The steps a text holds. Every line must pass the checks a script file's lines pass, or the
// whole text is refused. "(Start)", "(End)", separators and empty lines are left out, and step
// numbers are dropped to be given anew. A line may end in CR LF, LF or CR.
PastedSteps readStepText(QStringView text);

} // namespace sw
