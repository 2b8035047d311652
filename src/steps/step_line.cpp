#include "steps/step_line.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr char32_t prefixKey(char16_t first, char16_t second)
{
    return char32_t(first) << 16 | second;
}

// The kind the upper-cased first two characters of a step line name.
StepKind kindOfPrefix(QStringView prefix, QStringView line)
{
    if (prefix.size() != 2)
        return StepKind::None;
    switch (prefixKey(prefix[0].unicode(), prefix[1].unicode())) {
    case prefixKey(u'I', u'N'):
        return StepKind::Input;
    case prefixKey(u'O', u'U'):
        return StepKind::Output;
    case prefixKey(u'W', u'A'):
        return StepKind::Wait;
    case prefixKey(u'E', u'P'):
    case prefixKey(u'R', u'E'):
    case prefixKey(u'E', u'R'):
    case prefixKey(u'C', u'O'):
    case prefixKey(u'B', u'L'):
        return StepKind::DeviceFunction;
    case prefixKey(u'P', u'R'): // "Program" and "ProbeSelect" share their prefix
        return startsWithKeyword(line, u"PROGRAM") ? StepKind::DeviceFunction
                                                   : StepKind::ProbeSelect;
    case prefixKey(u'S', u'E'):
        return StepKind::SelectModule;
    case prefixKey(u'L', u'O'):
        return StepKind::LoadFile;
    case prefixKey(u'B', u'U'):
        return StepKind::BufferClear;
    case prefixKey(u'T', u'A'):
        return StepKind::ProbeSelect;
    default:
        return StepKind::None;
    }
}

} // namespace

bool upperCaseEqualsUnicode(QStringView text, QStringView keyword)
{
    return text.toString().toUpper() == keyword;
}

bool isNumberedLine(QStringView line)
{
    return !isStartLine(line) && !isEndLine(line) && !isCommentLine(line);
}

StepKind classifyStep(QStringView line)
{
    const QStringView first = line.left(2);
    const auto ascii = [](QChar c) { return c.unicode() < 0x80; };
    if (!std::all_of(first.begin(), first.end(), ascii))
        return kindOfPrefix(first.toString().toUpper(), line);
    std::array<char16_t, 2> upper{};
    std::transform(first.begin(), first.end(), upper.begin(),
                   [](QChar c) { return asciiUpper(c.unicode()); });
    return kindOfPrefix(QStringView(upper.data(), first.size()), line);
}

QString inputBody(const QString& port, const QString& level, const QString& timeout)
{
    return u"Input , "_s + port + u" , "_s + level + u" , "_s + timeout;
}

QString outputBody(const QString& port, const QString& level)
{
    return u"Output , "_s + port + u" , "_s + level;
}

QString waitBody(const QString& time)
{
    return u"Wait , "_s + time;
}

QString selectModuleBody(const QString& moduleName)
{
    return u"SelectModule , "_s + moduleName;
}

QString loadFileBody(const QString& fileName)
{
    return u"LoadFile , "_s + fileName;
}

qsizetype trailingTag(QStringView line)
{
    if (!line.endsWith(u')'))
        return -1;
    qsizetype i = line.size() - 2;
    while (i >= 0 && isDigit(line[i]))
        --i;
    if (i >= 1 && line[i] == u'(' && line[i - 1] == u':')
        return i - 1;
    return -1;
}

QString composeStepLine(const QString& body, const QString& comment)
{
    if (comment.isEmpty())
        return body;
    return body + CommentPartLead + comment;
}

} // namespace sw
