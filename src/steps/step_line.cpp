#include "steps/step_line.h"

using namespace Qt::StringLiterals;

namespace sw {

bool isStartLine(const QString& line)
{
    return line.toUpper() == "(START)"_L1;
}

bool isEndLine(const QString& line)
{
    return line.toUpper() == "(END)"_L1;
}

bool isCommentLine(const QString& line)
{
    return line.startsWith("//"_L1);
}

bool isNumberedLine(const QString& line)
{
    return !isStartLine(line) && !isEndLine(line) && !isCommentLine(line);
}

StepKind classifyStep(const QString& line)
{
    const QString prefix = line.left(2).toUpper();
    if (prefix == "IN"_L1)
        return StepKind::Input;
    if (prefix == "OU"_L1)
        return StepKind::Output;
    if (prefix == "WA"_L1)
        return StepKind::Wait;
    if (prefix == "EP"_L1 || prefix == "RE"_L1 || prefix == "ER"_L1 || prefix == "CO"_L1 ||
        prefix == "BL"_L1)
        return StepKind::DeviceFunction;
    // "Program" and "ProbeSelect" share their prefix.
    if (prefix == "PR"_L1)
        return startsWithKeyword(line, u"PROGRAM") ? StepKind::DeviceFunction
                                                   : StepKind::ProbeSelect;
    if (prefix == "SE"_L1)
        return StepKind::SelectModule;
    if (prefix == "LO"_L1)
        return StepKind::LoadFile;
    if (prefix == "BU"_L1)
        return StepKind::BufferClear;
    if (prefix == "TA"_L1)
        return StepKind::ProbeSelect;
    return StepKind::None;
}

bool startsWithKeyword(QStringView text, QStringView keyword)
{
    return text.size() >= keyword.size() &&
           text.left(keyword.size()).toString().toUpper() == keyword;
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

QString composeStepLine(const QString& body, const QString& comment)
{
    if (comment.isEmpty())
        return body;
    return body + CommentPartLead + comment;
}

} // namespace sw
