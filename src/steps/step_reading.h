#pragma once

#include "steps/step_line.h"

#include <QStringView>

#include <optional>

// Reading a step line: the one grammar behind both the file reader's line checks and loading a
// step back into its panel, so every line a script may hold loads back with its own values.
// It is more lenient than the panels: keywords in any letter case, blanks (spaces only) around
// the separators optional, a name ending at a blank or "//"; every field a step needs must be
// there and within the range the panels can produce.
namespace sw {

// What the grammar found wrong with a line it refuses, by the field it expected there.
enum class StepFault
{
    None,
    Kind,   // no step begins so
    Comma,  // the "," between two fields
    Port,   // IN0 to IN4, OUT0 to OUT4
    Level,  // ON or OFF
    Time,   // one to five digits
    Module, // a name ending in ".YIM", at most 253 characters
    File,   // a name of 1 to 248 characters
    Tail,   // behind the fields only blanks, or a comment "//"
};

// What a step line holds, as views into the line read: nothing is copied.
struct StepFields
{
    StepKind kind = StepKind::None;
    // Input and Output: the port digit, 0 to 4. Device function and Probe select: the position
    // of the keyword among the entries of steps/choices.h. Otherwise -1.
    int choice = -1;
    // Input and Output: the level's position among choices::levels(), 0 "ON", 1 "OFF".
    int level = -1;
    // The timeout, the wait time, the module name or the file name, as the line holds it.
    QStringView value;
    // What follows the fields, leading blanks skipped: empty, or "//" and anything behind it.
    QStringView tail;
    // For a line refused: the field expected, and the rest of the line from where it was.
    StepFault fault = StepFault::None;
    QStringView rest;
};

// The step of kind that line holds, read from its first character; nothing when the grammar
// refuses the line as that kind (None refuses every line).
std::optional<StepFields> readStep(QStringView line, StepKind kind);

// Why readStep refuses a line as the kind its prefix names: the fields read up to the fault,
// the fault and the rest of the line. For lines readStepLine refuses.
StepFields refusedStepLine(QStringView line);

// The step a line holds, of the kind its prefix names. Call it on step lines only: start,
// end and comment lines are told apart first.
inline std::optional<StepFields> readStepLine(QStringView line)
{
    return readStep(line, classifyStep(line));
}

} // namespace sw
