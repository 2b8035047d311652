#include "steps/panel_fill.h"

#include "steps/step_reading.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The fields of a panel by their roles; an empty name is a role the panel lacks.
struct PanelFields
{
    StepKind kind;
    QLatin1StringView choice;
    QLatin1StringView level;
    QLatin1StringView value;
    QLatin1StringView comment;
};

bool fillPanel(QStringView line, const PanelFields& panel, PanelFill& fill)
{
    const std::optional<StepFields> step = readStep(line, panel.kind);
    if (!step)
        return false;
    if (!panel.choice.isEmpty())
        fill.choices.append({panel.choice, step->choice});
    if (!panel.level.isEmpty())
        fill.choices.append({panel.level, step->level});
    if (!panel.value.isEmpty())
        fill.texts.append({panel.value, step->value.toString()});
    fill.texts.append({panel.comment, Comment_Of(step->tail).toString()});
    return true;
}

} // namespace

QStringView Comment_Of(QStringView tail)
{
    if (!startsWithCommentMark(tail))
        return {};
    QStringView comment = tail.sliced(2);
    if (comment.startsWith(u' '))
        comment = comment.sliced(1);
    if (const qsizetype tag = trailingTag(comment); tag >= 0)
        comment.truncate(tag);
    return comment;
}

bool Fill_Input_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(
        line, {StepKind::Input, "cmbINIO"_L1, "cmbINLevel"_L1, "txtTout"_L1, "txtINComm"_L1}, fill);
}

bool Fill_Output_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::Output, "cmbOutIO"_L1, "cmbOutLevel"_L1, {}, "txtOutComm"_L1},
                     fill);
}

bool Fill_Wait_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::Wait, {}, {}, "txtWait"_L1, "txtWaitComm"_L1}, fill);
}

bool Fill_Device_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::DeviceFunction, "cmbDev"_L1, {}, {}, "txtDevComm"_L1}, fill);
}

bool Fill_Select_Module_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::SelectModule, {}, {}, "txtYIM"_L1, "txtYIMComm"_L1}, fill);
}

bool Fill_Load_File_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::LoadFile, {}, {}, "txtLoad"_L1, "txtLoadComm"_L1}, fill);
}

bool Fill_Buffer_Clear_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::BufferClear, {}, {}, {}, "txtF2Comm"_L1}, fill);
}

bool Fill_Probe_Panel(const QString& line, PanelFill& fill)
{
    return fillPanel(line, {StepKind::ProbeSelect, "cmbProbe"_L1, {}, {}, "txtProbeComm"_L1}, fill);
}

PanelFill Fill_Step_Panel(const QString& line)
{
    PanelFill fill;
    if (!isNumberedLine(line))
        return fill;
    fill.kind = classifyStep(line);
    switch (fill.kind) {
    case StepKind::Input:
        fill.ok = Fill_Input_Panel(line, fill);
        break;
    case StepKind::Output:
        fill.ok = Fill_Output_Panel(line, fill);
        break;
    case StepKind::Wait:
        fill.ok = Fill_Wait_Panel(line, fill);
        break;
    case StepKind::DeviceFunction:
        fill.ok = Fill_Device_Panel(line, fill);
        break;
    case StepKind::SelectModule:
        fill.ok = Fill_Select_Module_Panel(line, fill);
        break;
    case StepKind::LoadFile:
        fill.ok = Fill_Load_File_Panel(line, fill);
        break;
    case StepKind::BufferClear:
        fill.ok = Fill_Buffer_Clear_Panel(line, fill);
        break;
    case StepKind::ProbeSelect:
        fill.ok = Fill_Probe_Panel(line, fill);
        break;
    case StepKind::None:
        fill.ok = false;
        break;
    }
    return fill;
}

} // namespace sw
