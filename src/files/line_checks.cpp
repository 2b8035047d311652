#include "files/line_checks.h"

#include "steps/step_reading.h"

namespace sw {

bool Check_Script_Line(QStringView line)
{
    return isStartLine(line) || isEndLine(line) || isCommentLine(line) ||
           readStepLine(line).has_value();
}

bool Check_Input_Line(QStringView line)
{
    return readStep(line, StepKind::Input).has_value();
}

bool Check_Output_Line(QStringView line)
{
    return readStep(line, StepKind::Output).has_value();
}

bool Check_Wait_Line(QStringView line)
{
    return readStep(line, StepKind::Wait).has_value();
}

bool Check_Device_Line(QStringView line, QStringView keyword)
{
    // No function's keyword begins another's, so the one read is the one that begins the line.
    return !keyword.isEmpty() && readStep(line, StepKind::DeviceFunction).has_value() &&
           startsWithKeyword(line, keyword);
}

bool Check_Select_Module_Line(QStringView line)
{
    return readStep(line, StepKind::SelectModule).has_value();
}

bool Check_Load_File_Line(QStringView line)
{
    return readStep(line, StepKind::LoadFile).has_value();
}

bool Check_Buffer_Clear_Line(QStringView line)
{
    return readStep(line, StepKind::BufferClear).has_value();
}

bool Check_Probe_Line(QStringView line)
{
    return readStep(line, StepKind::ProbeSelect).has_value();
}

} // namespace sw
