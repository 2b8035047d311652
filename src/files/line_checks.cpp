#include "files/line_checks.h"

#include "steps/step_reading.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The word at the beginning of text: up to a blank or ",".
QString wordAt(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] != u' ' && text[n] != u',')
        ++n;
    return text.first(n).toString();
}

// What stands where a field was expected: the word there, or that the line ends.
QString found(QStringView rest)
{
    return rest.isEmpty() ? u"but the line ends there"_s : u"not \"%1\""_s.arg(wordAt(rest));
}

bool endsWord(QChar c)
{
    return c == u' ' || c == u',';
}

// Whether the reading stopped inside a word: a field that runs on ("ONN", "IN00", "5s") was
// read only in part, and the text behind it is no separator.
bool runsOn(QStringView line, QStringView rest)
{
    return rest.data() != line.data() && !rest.isEmpty() && !endsWord(rest.data()[-1]) &&
           !endsWord(rest.front()) && !startsWithCommentMark(rest);
}

// The whole word the reading stopped in or at, as the technician typed it.
QString wordAround(QStringView line, QStringView rest)
{
    qsizetype start = rest.data() - line.data();
    while (start > 0 && !endsWord(line[start - 1]))
        --start;
    return u"not \"%1\""_s.arg(wordAt(line.sliced(start)));
}

QString noSuchStep(QStringView line)
{
    return u"no step is named \"%1\": a step begins with Input, Output, Wait, EPR, Program, "
           "Erase, Copy, Blank, Read, SelectModule, LoadFile, BufferClear, TargetProbe1, "
           "TargetProbe2 or ProbeSelect"_s.arg(wordAt(line));
}

} // namespace

QString lineFault(QStringView line)
{
    const StepFields fields = refusedStepLine(line);
    const QStringView rest = fields.rest;
    StepFault fault = fields.fault;
    if ((fault == StepFault::Comma || fault == StepFault::Tail) && runsOn(line, rest)) {
        // The fault is the field that ran on, or the keyword when the step has no fields.
        const bool port = fields.kind == StepKind::Input || fields.kind == StepKind::Output;
        if (!fields.value.isNull())
            fault = StepFault::Time;
        else if (fields.level >= 0)
            fault = StepFault::Level;
        else if (port && fields.choice >= 0)
            fault = StepFault::Port;
        else
            return noSuchStep(line);
    }
    const QString shown = rest.isEmpty() ? found(rest) : wordAround(line, rest);
    switch (fault) {
    case StepFault::Kind:
        if (line.isEmpty())
            return u"the line is empty"_s;
        if (line.front() == u' ')
            return u"the line begins with a blank"_s;
        if (line.front() == u'(')
            return u"\"%1\" is neither (Start) nor (End)"_s.arg(line);
        return noSuchStep(line);
    case StepFault::Comma:
        return rest.isEmpty() ? u"a field is missing at the end of the line"_s
                              : u"\",\" is expected between the fields, %1"_s.arg(found(rest));
    case StepFault::Port:
        return u"the port must be %1, %2"_s.arg(
            fields.kind == StepKind::Input ? u"IN0 to IN4"_s : u"OUT0 to OUT4"_s, shown);
    case StepFault::Level:
        return u"the level must be ON or OFF, %1"_s.arg(shown);
    case StepFault::Time:
        return u"the time must be 1 to 5 digits, %1"_s.arg(shown);
    case StepFault::Module:
        return fields.value.size() > MaxModuleNameLength
                   ? u"the module name is longer than %1 characters"_s.arg(MaxModuleNameLength)
                   : u"the module name must end in \".YIM\", %1"_s.arg(found(fields.value));
    case StepFault::File:
        return fields.value.isEmpty()
                   ? u"the file name is missing"_s
                   : u"the file name is longer than %1 characters"_s.arg(MaxFileNameLength);
    case StepFault::Tail:
        return u"behind the fields only a comment may follow, beginning with \"//\": %1"_s.arg(
            found(rest));
    case StepFault::None:
        break;
    }
    return u"the line is not a valid script line"_s;
}

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
