#include "files/step_text.h"

#include "files/code_page.h"
#include "files/line_checks.h"
#include "files/script_file.h"
#include "script/numbering.h"
#include "steps/step_line.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// A line as a message quotes it: a long one by its beginning.
QString quoted(QStringView line)
{
    constexpr qsizetype Shown = 80;
    const QString shown =
        line.size() <= Shown ? line.toString() : line.first(Shown).toString() + u'\u2026';
    return u'"' + shown + u'"';
}

QString refusal(qsizetype lineNumber, QStringView line, QLatin1StringView why)
{
    return u"Nothing was pasted: line %1 of the text %2:\n%3"_s.arg(lineNumber)
        .arg(why, quoted(line));
}

} // namespace

QString stepText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return text;
}

PastedSteps readStepText(QStringView text)
{
    PastedSteps pasted;
    qsizetype lineNumber = 0;
    QByteArray encoded;
    for (QStringView line : text.tokenize(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        // A lone CR ends a line too, as some programs write it.
        for (QStringView part : line.tokenize(u'\r')) {
            if (part.isEmpty() || part == SeparatorLine || isStartLine(part) || isEndLine(part))
                continue;
            if (!Check_Script_Line(part))
                return {{}, refusal(lineNumber, part, "is not a valid script line"_L1)};
            encoded.clear();
            if (codepage::appendEncoded(part, encoded) >= 0)
                return {
                    {},
                    refusal(lineNumber, part, "holds a character a script file cannot hold"_L1)};
            QString step = part.toString();
            if (isNumberedLine(step))
                Remove_Step_Number(step);
            pasted.lines << step;
        }
    }
    return pasted;
}

} // namespace sw
