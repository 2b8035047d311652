#pragma once

#include "script/flow_view.h"
#include "script/script_store.h"

// The edits of the flow shown: inserting new steps, replacing, moving and deleting steps. They
// work on the view's items alone, never move "(Start)" or "(End)", keep a connector after every
// line but "(End)", and keep the step numbers 1, 2, 3 ... With nothing selected they do
// nothing. Moves and deletion take a selected run of steps as one block. A non-empty result is
// a message for a critical box.
namespace sw {

// True when the view takes no further line (515 items: 258 lines and their connectors).
bool Is_Flow_Full(const FlowView& view);

// Inserts a new step line after the selected line and selects it; with "(End)" selected the
// line goes just before it and "(End)" stays selected. Then renumbers from the new line on.
ErrorText Insert_Step_Line(FlowView& view, const QString& text);
// The same for several lines without numbers, in their order, after the selected line or run;
// they become the selected run. A flow that cannot take them all takes none.
ErrorText insertStepLines(FlowView& view, const QStringList& lines);
// Puts a new step line without number in place of the selected step, which keeps its place and
// number. "(Start)", "(End)", a comment line and a run are not replaced.
ErrorText replaceStepLine(FlowView& view, const QString& text);
// Whether the selection is steps: a line or run between "(Start)" and "(End)".
bool selectsSteps(const FlowView& view);
// Whether Replace takes the selection: one step line, no comment line.
bool isReplaceable(const FlowView& view);
// The selected step or run as it stands; empty when "(Start)" or "(End)" is selected.
QStringList selectedSteps(const FlowView& view);
// Moves the selected step or run to just before the line at an even position, from the first
// step to "(End)"; it stays selected. A place inside or right around it changes nothing.
ErrorText moveStepsBefore(FlowView& view, int position);

// Exchange the selected line with the line above or below it; the moved line stays selected.
// A run moves past the line above or below it.
ErrorText Move_Step_Up(FlowView& view);
ErrorText Move_Step_Down(FlowView& view);

// Removes the selected line or run with the connectors and selects the line that followed.
ErrorText Delete_Selected_Step(FlowView& view);

} // namespace sw
