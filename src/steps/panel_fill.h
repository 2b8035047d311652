#pragma once

#include "steps/step_line.h"

#include <QList>
#include <QString>

// Loading a step back into its entry panel (the flow view's double-click). The routines read a
// step line by the grammar of the line checks (steps/step_reading.h), so every step a script
// may hold loads back with its own values, in whatever spacing and letter case, and return
// what to put into the panel's fields; they touch no widget. Fields are named by the object names
// of their widgets, and drop-down entries are positions in the lists of steps/choices.h.
//
// How the window applies a PanelFill:
//   1. select every entry of `choices` and set the whole text of every field of `texts`, as
//      they are, without the fields' key filters;
//   2. then, if `ok` is false, show "Unexpected error." (sw::UnexpectedError of
//      script/numbering.h) in a critical box captioned "Stepwright".
// A line the grammar refuses fills nothing and is not ok.
namespace sw {

struct ChoiceFill
{
    QString list; // e.g. "cmbINIO"
    int position; // the entry to select, from 0
};

struct TextFill
{
    QString field; // e.g. "txtTout"
    QString text;  // the field's new text
};

struct PanelFill
{
    // The panel of the line. None for "(Start)", "(End)" and comment lines, which fill nothing
    // and are ok, and for a line of no kind, which is not ok.
    StepKind kind = StepKind::None;
    QList<ChoiceFill> choices;
    QList<TextFill> texts;
    bool ok = true; // false: show "Unexpected error." after applying the fills
};

// The double-click: dispatches on the line's kind to the routine of its panel.
PanelFill Fill_Step_Panel(const QString& line);

// The routines of the panels. Each reads the line as a step of its kind; when the grammar
// takes it, appends the fields of the panel to fill, in this order, and returns true:
//   Fill_Input_Panel          cmbINIO, cmbINLevel, txtTout, txtINComm
//   Fill_Output_Panel         cmbOutIO, cmbOutLevel, txtOutComm
//   Fill_Wait_Panel           txtWait, txtWaitComm
//   Fill_Device_Panel         cmbDev, txtDevComm
//   Fill_Select_Module_Panel  txtYIM, txtYIMComm
//   Fill_Load_File_Panel      txtLoad, txtLoadComm
//   Fill_Buffer_Clear_Panel   txtF2Comm
//   Fill_Probe_Panel          cmbProbe, txtProbeComm
bool Fill_Input_Panel(const QString& line, PanelFill& fill);
bool Fill_Output_Panel(const QString& line, PanelFill& fill);
bool Fill_Wait_Panel(const QString& line, PanelFill& fill);
bool Fill_Device_Panel(const QString& line, PanelFill& fill);
bool Fill_Select_Module_Panel(const QString& line, PanelFill& fill);
bool Fill_Load_File_Panel(const QString& line, PanelFill& fill);
bool Fill_Buffer_Clear_Panel(const QString& line, PanelFill& fill);
bool Fill_Probe_Panel(const QString& line, PanelFill& fill);

// The comment in a step's tail (StepFields::tail): everything behind its "//", less one
// leading blank (the panels write "  // " + comment) and the step number tag that ends the
// line. Empty for an empty tail.
QStringView Comment_Of(QStringView tail);

} // namespace sw
