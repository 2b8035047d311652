#pragma once

#include "script/flow_view.h"
#include "script/script_store.h"

// The edits of the flow shown: inserting a new step, moving a step, deleting one. They work on
// the view's items alone, never move "(Start)" or "(End)", keep a connector after every line
// but "(End)", and keep the step numbers 1, 2, 3 ... With nothing selected they do nothing.
// A non-empty result is a message for a critical box.
namespace sw {

// True when the view takes no further line (515 items: 258 lines and their connectors).
bool Is_Flow_Full(const FlowView& view);

// Inserts a new step line after the selected line and selects it; with "(End)" selected the
// line goes just before it and "(End)" stays selected. Then renumbers from the new line on.
ErrorText Insert_Step_Line(FlowView& view, const QString& text);

// Exchange the selected line with the line above or below it; the moved line stays selected.
ErrorText Move_Step_Up(FlowView& view);
ErrorText Move_Step_Down(FlowView& view);

// Removes the selected line and its connector and selects the line that followed it.
ErrorText Delete_Selected_Step(FlowView& view);

} // namespace sw
