#include "files/line_checks.h"

#include "steps/choices.h"
#include "steps/step_line.h"

namespace sw {

namespace {

// Walks along a line. A take… method that answers true or false moves past what it recognises
// only when it answers true.
class LineCursor
{
public:
    explicit LineCursor(QStringView line) : m_rest(line) {}

    // Only the space counts as a blank.
    void skipBlanks()
    {
        while (!m_rest.isEmpty() && m_rest.front() == u' ')
            m_rest = m_rest.sliced(1);
    }

    // A keyword in any letter case, then blanks.
    bool takeKeyword(QStringView keyword)
    {
        if (!startsWithKeyword(m_rest, keyword))
            return false;
        m_rest = m_rest.sliced(keyword.size());
        skipBlanks();
        return true;
    }

    // The separator "," (exact), then blanks.
    bool takeComma() { return takeCharacterIf(m_rest.startsWith(u',')); }

    // One port digit 0 to 4, then blanks.
    bool takePort()
    {
        return takeCharacterIf(!m_rest.isEmpty() && m_rest.front() >= u'0' &&
                               m_rest.front() <= u'4');
    }

    bool takeLevel() { return takeKeyword(u"ON") || takeKeyword(u"OFF"); }

    // One to five digits; a sixth is left to fail the tail rule.
    bool takeNumber()
    {
        qsizetype n = 0;
        while (n < MaxTimeDigits && n < m_rest.size() && isDigit(m_rest[n]))
            ++n;
        m_rest = m_rest.sliced(n);
        return n > 0;
    }

    // A module or file name: everything up to a blank, "//" or the end of the line.
    QStringView takeName()
    {
        qsizetype n = 0;
        while (n < m_rest.size() && m_rest[n] != u' ' && !startsWithCommentMark(m_rest.sliced(n)))
            ++n;
        const QStringView name = m_rest.first(n);
        m_rest = m_rest.sliced(n);
        return name;
    }

    // What follows the fields: nothing but blanks, or blanks and then "//" and anything.
    bool tailRule()
    {
        skipBlanks();
        return m_rest.isEmpty() || startsWithCommentMark(m_rest);
    }

private:
    bool takeCharacterIf(bool matches)
    {
        if (!matches)
            return false;
        m_rest = m_rest.sliced(1);
        skipBlanks();
        return true;
    }

    QStringView m_rest;
};

// The upper-case keyword of a device function line, found by its first two characters.
QStringView deviceKeyword(QStringView line)
{
    static const QStringList keywords = [] {
        QStringList upper;
        for (const QString& function : choices::deviceFunctions())
            upper << function.toUpper();
        return upper;
    }();
    for (const QString& keyword : keywords) {
        if (startsWithKeyword(line, QStringView(keyword).first(2)))
            return keyword;
    }
    return {};
}

} // namespace

bool Check_Script_Line(QStringView line)
{
    if (isStartLine(line) || isEndLine(line) || isCommentLine(line))
        return true;
    switch (classifyStep(line)) {
    case StepKind::Input:
        return Check_Input_Line(line);
    case StepKind::Output:
        return Check_Output_Line(line);
    case StepKind::Wait:
        return Check_Wait_Line(line);
    case StepKind::DeviceFunction:
        return Check_Device_Line(line, deviceKeyword(line));
    case StepKind::SelectModule:
        return Check_Select_Module_Line(line);
    case StepKind::LoadFile:
        return Check_Load_File_Line(line);
    case StepKind::BufferClear:
        return Check_Buffer_Clear_Line(line);
    case StepKind::ProbeSelect:
        return Check_Probe_Line(line);
    case StepKind::None:
        break;
    }
    return false;
}

bool Check_Input_Line(QStringView line)
{
    LineCursor cursor(line);
    return cursor.takeKeyword(u"INPUT") && cursor.takeComma() && cursor.takeKeyword(u"IN") &&
           cursor.takePort() && cursor.takeComma() && cursor.takeLevel() && cursor.takeComma() &&
           cursor.takeNumber() && cursor.tailRule();
}

bool Check_Output_Line(QStringView line)
{
    LineCursor cursor(line);
    return cursor.takeKeyword(u"OUTPUT") && cursor.takeComma() && cursor.takeKeyword(u"OUT") &&
           cursor.takePort() && cursor.takeComma() && cursor.takeLevel() && cursor.tailRule();
}

bool Check_Wait_Line(QStringView line)
{
    LineCursor cursor(line);
    return cursor.takeKeyword(u"WAIT") && cursor.takeComma() && cursor.takeNumber() &&
           cursor.tailRule();
}

bool Check_Device_Line(QStringView line, QStringView keyword)
{
    LineCursor cursor(line);
    return !keyword.isEmpty() && cursor.takeKeyword(keyword) && cursor.tailRule();
}

bool Check_Select_Module_Line(QStringView line)
{
    LineCursor cursor(line);
    if (!cursor.takeKeyword(u"SELECTMODULE") || !cursor.takeComma())
        return false;
    const QStringView name = cursor.takeName();
    return name.size() <= MaxModuleNameLength &&
           startsWithKeyword(name.right(ModuleSuffix.size()), u".YIM") && cursor.tailRule();
}

bool Check_Load_File_Line(QStringView line)
{
    LineCursor cursor(line);
    if (!cursor.takeKeyword(u"LOADFILE") || !cursor.takeComma())
        return false;
    const QStringView name = cursor.takeName();
    return !name.isEmpty() && name.size() <= MaxFileNameLength && cursor.tailRule();
}

bool Check_Buffer_Clear_Line(QStringView line)
{
    LineCursor cursor(line);
    return cursor.takeKeyword(u"BUFFERCLEAR") && cursor.tailRule();
}

bool Check_Probe_Line(QStringView line)
{
    LineCursor cursor(line);
    return (cursor.takeKeyword(u"TARGETPROBE1") || cursor.takeKeyword(u"TARGETPROBE2") ||
            cursor.takeKeyword(u"PROBESELECT")) &&
           cursor.tailRule();
}

} // namespace sw
