#pragma once

#include "steps/step_line.h"

#include <QList>
#include <QString>

// Loading a step back into its entry panel (the flow view's double-click). The routines read a
// step line at the fixed places where the panels put each field, and return what to put into
// the panel's fields; they touch no widget. Fields are named by the object names of their
// widgets, and drop-down entries are positions in the lists of steps/choices.h.
//
// How the window applies a PanelFill:
//   1. select every entry of `choices` and set the whole text of every field of `texts`, as
//      they are, without the fields' key filters;
//   2. then, if `ok` is false, show "Unexpected error." (sw::UnexpectedError of
//      script/numbering.h) in a critical box captioned "Stepwright".
// A fill that fails part-way returns what it filled before the failure with ok false: those
// fields keep their new content, as they would if the routine had set them one by one.
//
// The line is the view's text: an odd or short line never crashes a routine, it fails.
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

// The routines of the panels. Each appends the fields it fills to fill, in the order it fills
// them, and returns true when it filled all of them. The fields, by routine:
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

// The comment of a comment part r ("//" first): empty for "//:"; otherwise the text from just
// behind "// " to the first ":" after it, the start of the step number tag. False when no
// ":" follows.
bool Comment_Of(QStringView r, QString& comment);

} // namespace sw
