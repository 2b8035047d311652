#pragma once

#include <QString>

// The gate every line of a script file passes on reading, the separators aside. It answers
// only whether the line is acceptable and never changes it. It is more lenient than the
// panels: keywords in any letter case, blanks around the separators optional; but every field
// a step needs must be there and within the range the panels can produce. The grammar is
// steps/step_reading.h, by which loading a step back reads too.
namespace sw {

// "(Start)" and "(End)" in any letter case and comment lines ("//" first) always pass; where
// they may stand is the reader's business. Other lines go to the check of their kind.
bool Check_Script_Line(QStringView line);
// Why Check_Script_Line refuses a line, as a format error tells it: "the level must be ON or
// OFF, not \"ONN\"".
QString lineFault(QStringView line);

// The kind checks. Each takes the whole line and ends with the tail rule: behind the step's
// fields only blanks, or blanks and then "//" with anything after it.
bool Check_Input_Line(QStringView line);  // port IN0 to IN4, "ON"/"OFF", 1 to 5 digits
bool Check_Output_Line(QStringView line); // port OUT0 to OUT4, "ON"/"OFF"
bool Check_Wait_Line(QStringView line);   // 1 to 5 digits
// keyword is the function in upper case: "EPR", "PROGRAM", "ERASE", "COPY", "BLANK", "READ".
bool Check_Device_Line(QStringView line, QStringView keyword);
bool Check_Select_Module_Line(QStringView line); // name up to 253, ".YIM" in any case
bool Check_Load_File_Line(QStringView line);     // name up to 248
bool Check_Buffer_Clear_Line(QStringView line);
bool Check_Probe_Line(QStringView line);

} // namespace sw
