#include "steps/panel_fill.h"

#include "steps/choices.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The text from the 1-based position k to the end of the line; empty behind its end.
QStringView restFrom(QStringView line, qsizetype k)
{
    return line.mid(k - 1);
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

// A port from the character at a 1-based position: a digit selects its own entry, a blank
// or any other character the first; a digit without an entry (5 to 9) fails.
bool fillPort(QStringView line, qsizetype position, const QString& list, qsizetype entries,
              PanelFill& fill)
{
    if (line.size() < position)
        return false;
    const QChar c = line[position - 1];
    const int value = isDigit(c) ? c.unicode() - u'0' : 0;
    if (value >= entries)
        return false;
    fill.choices.append({list, value});
    return true;
}

// The level from the two characters at a 1-based position: exactly "ON", or else "OFF".
bool fillLevel(QStringView line, qsizetype position, const QString& list, bool& on, PanelFill& fill)
{
    if (line.size() < position + 1)
        return false;
    on = line.sliced(position - 1, 2) == u"ON";
    fill.choices.append({list, on ? 0 : 1});
    return true;
}

bool fillComment(QStringView r, const QString& field, PanelFill& fill)
{
    QString comment;
    if (!Comment_Of(r, comment))
        return false;
    fill.texts.append({field, comment});
    return true;
}

// Wait, Select module and Load file: the field is the rest of the line from a fixed position
// up to its first blank. A name may hold "/", so its comment part is looked for behind it.
bool fillFieldAndComment(QStringView line, qsizetype from, const QString& field,
                         const QString& commentField, bool commentBehindField, PanelFill& fill)
{
    const QStringView r = restFrom(line, from);
    const qsizetype blank = r.indexOf(u' ');
    if (blank < 0)
        return false;
    fill.texts.append({field, r.first(blank).toString()});
    const qsizetype slash = r.indexOf(u'/', commentBehindField ? blank : 0);
    return slash >= 0 && fillComment(r.sliced(slash), commentField, fill);
}

// Device function and Probe select: the first entry whose keyword starts the line is
// selected; its comment part follows the keyword and two blanks.
bool fillKeywordChoice(QStringView line, const QStringList& entries, const QString& list,
                       const QString& commentField, PanelFill& fill)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (startsWithKeyword(line, entries[i].toUpper())) {
            fill.choices.append({list, i});
            return fillComment(line.mid(entries[i].size() + 2), commentField, fill);
        }
    }
    return false;
}

} // namespace

bool Comment_Of(QStringView r, QString& comment)
{
    if (r.startsWith(u"//:")) {
        comment.clear();
        return true;
    }
    const qsizetype slash = r.indexOf(u'/');
    if (slash < 0)
        return false;
    const qsizetype start = slash + 3; // just behind "// "
    const qsizetype colon = start <= r.size() ? r.indexOf(u':', start) : -1;
    if (colon < 0)
        return false;
    comment = r.sliced(start, colon - start).toString();
    return true;
}

bool Fill_Input_Panel(const QString& line, PanelFill& fill)
{
    // ‹Input , IN3 , OFF , 500  // ready:(2)›: port at 11, level at 15, timeout from 20 or 21.
    bool on = false;
    if (!fillPort(line, 11, u"cmbINIO"_s, choices::inputPorts().size(), fill) ||
        !fillLevel(line, 15, u"cmbINLevel"_s, on, fill))
        return false;
    const QStringView r = restFrom(line, on ? 20 : 21);
    const qsizetype slash = r.indexOf(u'/');
    if (slash < 0)
        return false;
    fill.texts.append({u"txtTout"_s, trimBlanks(r.first(slash)).toString()});
    return fillComment(r.sliced(slash), u"txtINComm"_s, fill);
}

bool Fill_Output_Panel(const QString& line, PanelFill& fill)
{
    // ‹Output , OUT1 , ON  //:(3)›: port at 13, level at 17, comment part from 19 or 20.
    bool on = false;
    if (!fillPort(line, 13, u"cmbOutIO"_s, choices::outputPorts().size(), fill) ||
        !fillLevel(line, 17, u"cmbOutLevel"_s, on, fill))
        return false;
    return fillComment(trimBlanks(restFrom(line, on ? 19 : 20)), u"txtOutComm"_s, fill);
}

bool Fill_Wait_Panel(const QString& line, PanelFill& fill)
{
    return fillFieldAndComment(line, 8, u"txtWait"_s, u"txtWaitComm"_s, false, fill);
}

bool Fill_Select_Module_Panel(const QString& line, PanelFill& fill)
{
    return fillFieldAndComment(line, 16, u"txtYIM"_s, u"txtYIMComm"_s, true, fill);
}

bool Fill_Load_File_Panel(const QString& line, PanelFill& fill)
{
    return fillFieldAndComment(line, 12, u"txtLoad"_s, u"txtLoadComm"_s, true, fill);
}

bool Fill_Device_Panel(const QString& line, PanelFill& fill)
{
    return fillKeywordChoice(line, choices::deviceFunctions(), u"cmbDev"_s, u"txtDevComm"_s, fill);
}

bool Fill_Buffer_Clear_Panel(const QString& line, PanelFill& fill)
{
    // The comment part follows "BufferClear" and two blanks.
    return fillComment(restFrom(line, 14), u"txtF2Comm"_s, fill);
}

bool Fill_Probe_Panel(const QString& line, PanelFill& fill)
{
    return fillKeywordChoice(line, choices::probes(), u"cmbProbe"_s, u"txtProbeComm"_s, fill);
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
