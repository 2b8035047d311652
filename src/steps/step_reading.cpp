#include "steps/step_reading.h"

#include <array>

namespace sw {

namespace {

// The drop-down entries of steps/choices.h, upper-cased, in their order: a keyword read from a
// line is the entry at its position.
constexpr std::array<QStringView, 6> DeviceKeywords{u"EPR",  u"PROGRAM", u"ERASE",
                                                    u"COPY", u"BLANK",   u"READ"};
constexpr std::array<QStringView, 3> ProbeKeywords{u"TARGETPROBE1", u"TARGETPROBE2",
                                                   u"PROBESELECT"};

// Walks along a line. A take… method that answers true or false moves past what it recognises
// only when it answers true. Every line of every file read passes through it, so it works on
// views only.
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

    // A keyword in any letter case, then blanks; at a mismatch the field expected is fault.
    bool takeKeyword(QStringView keyword, StepFault fault = StepFault::Kind)
    {
        if (!startsWithKeyword(m_rest, keyword))
            return failAs(fault);
        m_rest = m_rest.sliced(keyword.size());
        skipBlanks();
        return true;
    }

    // The first of keywords that the rest begins with, then blanks: its position, or -1.
    template <std::size_t N> int takeOneOf(const std::array<QStringView, N>& keywords)
    {
        for (std::size_t i = 0; i < N; ++i) {
            if (takeKeyword(keywords[i]))
                return int(i);
        }
        return -1;
    }

    // The separator "," (exact), then blanks.
    bool takeComma()
    {
        return takeCharacterIf(m_rest.startsWith(u',')) || failAs(StepFault::Comma);
    }

    // One port digit 0 to 4, then blanks.
    bool takePort(int& port)
    {
        if (m_rest.isEmpty() || m_rest.front() < u'0' || m_rest.front() > u'4')
            return failAs(StepFault::Port);
        port = m_rest.front().unicode() - u'0';
        return takeCharacterIf(true);
    }

    bool takeLevel(int& level)
    {
        level = takeKeyword(u"ON") ? 0 : takeKeyword(u"OFF") ? 1 : -1;
        return level >= 0 || failAs(StepFault::Level);
    }

    // One to five digits; a sixth is left to fail the tail rule.
    bool takeNumber(QStringView& number)
    {
        qsizetype n = 0;
        while (n < MaxTimeDigits && n < m_rest.size() && isDigit(m_rest[n]))
            ++n;
        number = take(n);
        return n > 0 || failAs(StepFault::Time);
    }

    // A module or file name: everything up to a blank, "//" or the end of the line.
    QStringView takeName()
    {
        qsizetype n = 0;
        while (n < m_rest.size() && m_rest[n] != u' ' && !startsWithCommentMark(m_rest.sliced(n)))
            ++n;
        return take(n);
    }

    // What follows the fields: nothing but blanks, or blanks and then "//" and anything.
    bool tailRule(QStringView& tail)
    {
        skipBlanks();
        tail = m_rest;
        return m_rest.isEmpty() || startsWithCommentMark(m_rest) || failAs(StepFault::Tail);
    }

    // Records what was expected where the reading stopped; always false. Only a refused line
    // pays for it.
    bool failAs(StepFault fault)
    {
        m_fault = fault;
        return false;
    }

    // The refusal recorded, into fields; always false, to end a grammar's chain.
    bool refuse(StepFields& fields) const
    {
        fields.fault = m_fault;
        fields.rest = m_rest;
        return false;
    }

private:
    QStringView take(qsizetype n)
    {
        const QStringView taken = m_rest.first(n);
        m_rest = m_rest.sliced(n);
        return taken;
    }

    bool takeCharacterIf(bool matches)
    {
        if (!matches)
            return false;
        m_rest = m_rest.sliced(1);
        skipBlanks();
        return true;
    }

    QStringView m_rest;
    StepFault m_fault = StepFault::None;
};

// The kinds' grammars, each from the first character of the line to the tail. Each stays a
// function of its own: inlined into one switch, with the cursor shared, they cost every line
// of every file read some more instructions.
Q_NEVER_INLINE bool readInput(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    return (cursor.takeKeyword(u"INPUT") && cursor.takeComma() &&
            cursor.takeKeyword(u"IN", StepFault::Port) && cursor.takePort(fields.choice) &&
            cursor.takeComma() && cursor.takeLevel(fields.level) && cursor.takeComma() &&
            cursor.takeNumber(fields.value) && cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

Q_NEVER_INLINE bool readOutput(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    return (cursor.takeKeyword(u"OUTPUT") && cursor.takeComma() &&
            cursor.takeKeyword(u"OUT", StepFault::Port) && cursor.takePort(fields.choice) &&
            cursor.takeComma() && cursor.takeLevel(fields.level) && cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

Q_NEVER_INLINE bool readWait(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    return (cursor.takeKeyword(u"WAIT") && cursor.takeComma() && cursor.takeNumber(fields.value) &&
            cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

template <std::size_t N>
Q_NEVER_INLINE bool readChoice(QStringView line, const std::array<QStringView, N>& keywords,
                               StepFields& fields)
{
    LineCursor cursor(line);
    fields.choice = cursor.takeOneOf(keywords);
    return (fields.choice >= 0 && cursor.tailRule(fields.tail)) || cursor.refuse(fields);
}

Q_NEVER_INLINE bool readSelectModule(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    if (!cursor.takeKeyword(u"SELECTMODULE") || !cursor.takeComma())
        return cursor.refuse(fields);
    fields.value = cursor.takeName();
    const bool named = fields.value.size() <= MaxModuleNameLength && hasModuleSuffix(fields.value);
    return ((named || cursor.failAs(StepFault::Module)) && cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

Q_NEVER_INLINE bool readLoadFile(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    if (!cursor.takeKeyword(u"LOADFILE") || !cursor.takeComma())
        return cursor.refuse(fields);
    fields.value = cursor.takeName();
    const bool named = !fields.value.isEmpty() && fields.value.size() <= MaxFileNameLength;
    return ((named || cursor.failAs(StepFault::File)) && cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

Q_NEVER_INLINE bool readBufferClear(QStringView line, StepFields& fields)
{
    LineCursor cursor(line);
    return (cursor.takeKeyword(u"BUFFERCLEAR") && cursor.tailRule(fields.tail)) ||
           cursor.refuse(fields);
}

bool readFields(QStringView line, StepFields& fields)
{
    switch (fields.kind) {
    case StepKind::Input:
        return readInput(line, fields);
    case StepKind::Output:
        return readOutput(line, fields);
    case StepKind::Wait:
        return readWait(line, fields);
    case StepKind::DeviceFunction:
        return readChoice(line, DeviceKeywords, fields);
    case StepKind::SelectModule:
        return readSelectModule(line, fields);
    case StepKind::LoadFile:
        return readLoadFile(line, fields);
    case StepKind::BufferClear:
        return readBufferClear(line, fields);
    case StepKind::ProbeSelect:
        return readChoice(line, ProbeKeywords, fields);
    case StepKind::None:
        break;
    }
    return false;
}

} // namespace

StepFields refusedStepLine(QStringView line)
{
    StepFields fields;
    fields.kind = classifyStep(line);
    if (fields.kind == StepKind::None) {
        fields.fault = StepFault::Kind;
        fields.rest = line;
    } else {
        readFields(line, fields);
    }
    return fields;
}

std::optional<StepFields> readStep(QStringView line, StepKind kind)
{
    // Read in place: a copy of the fields would cost every line of every file.
    std::optional<StepFields> fields(std::in_place);
    fields->kind = kind;
    if (!readFields(line, *fields))
        fields.reset();
    return fields;
}

} // namespace sw
