#pragma once

#include "steps/panel_rules.h"
#include "steps/step_line.h"

#include <QString>

// Loading a step line back into the panel of its kind. The routines read the line at the
// fixed places where the panels compose it, so they expect exactly that form.
namespace sw {

// Where the values go: the fields of a panel, by kind and role.
class PanelFields
{
public:
    virtual ~PanelFields() = default;
    // Selects a drop-down list's entry by its position.
    virtual void selectEntry(StepKind panel, PanelField field, int position) = 0;
    virtual void setText(StepKind panel, PanelField field, const QString& text) = 0;
};

// Fills the panel of the step line's kind. False when the line has no kind or cannot be read
// at its fixed places; the fields filled before the fault keep their new contents.
bool Fill_Step_Panel(const QString& line, PanelFields& fields);

} // namespace sw
