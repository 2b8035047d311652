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
};

// The step of kind that line holds, read from its first character; nothing when the grammar
// refuses the line as that kind (None refuses every line).
std::optional<StepFields> readStep(QStringView line, StepKind kind);

// The step a line holds, of the kind its prefix names. Call it on step lines only: start,
// end and comment lines are told apart first.
inline std::optional<StepFields> readStepLine(QStringView line)
{
    return readStep(line, classifyStep(line));
}

} // namespace sw
