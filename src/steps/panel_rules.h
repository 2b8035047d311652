#pragma once

#include "steps/step_line.h"

#include <QString>

// What a panel's Set command does with the fields it is given: the checks in their order, the
// fields it rewrites and the step line it builds. The window reads the fields, calls Set_Step
// and shows or inserts what comes back.
namespace sw {

inline constexpr QLatin1StringView ModuleNameTooLong{"Module name is too long."};
inline constexpr QLatin1StringView FileNameTooLong{"File name is too long."};
inline constexpr QLatin1StringView ModuleNameUnsafe{
    "Module name must not contain blanks or \"//\"."};
inline constexpr QLatin1StringView FileNameUnsafe{"File name must not contain blanks or \"//\"."};
// Notes at the empty field a Set needs filled.
inline constexpr QLatin1StringView WaitTimeNeeded{"A wait time is needed: digits, up to five."};
inline constexpr QLatin1StringView ModuleNameNeeded{"A module name is needed."};
inline constexpr QLatin1StringView FileNameNeeded{"A file name is needed."};

// The roles of a panel's fields. Every panel has a comment; the others depend on the kind:
// the choice is the port, the device function or the probe, the level is "ON" or "OFF", the
// value is the timeout, the wait time, the module name or the file name.
enum class PanelField
{
    Choice,
    Level,
    Value,
    Comment,
};

// The texts of one panel's fields; the drop-down lists give their selected entry.
struct PanelEntry
{
    QString choice;
    QString level;
    QString value;
    QString comment;

    QString& operator[](PanelField field);
    const QString& operator[](PanelField field) const;
    friend bool operator==(const PanelEntry&, const PanelEntry&) = default;
};

struct SetResult
{
    QString line;     // the new step line, untagged (Tag_New_Step); empty when nothing is set
    QString message;  // for a critical box; empty when there is none
    QString note;     // for the value field, left empty where the step needs it
    PanelEntry entry; // the fields as the command leaves them
};

// The Set command of the panel of a kind, for a view that is full or not. Pasted text never
// breaks a line: control characters become blanks, a time field is read as a number, and a
// name with a blank or "//" (which would not read back) is refused. A comment keeps any ":"
// it was pasted or loaded back with. A module name gets ".YIM" unless it ends in it, in any
// letter case.
SetResult Set_Step(StepKind kind, const PanelEntry& entry, bool flowFull);

} // namespace sw
