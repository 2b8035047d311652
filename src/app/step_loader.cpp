#include "app/step_loader.h"

#include <array>
#include <optional>
#include <span>

using namespace Qt::StringLiterals;

// Character positions below count from 0: the place the canonical line gives each value.
namespace sw {

namespace {

using F = PanelField;

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

// The comment of a text that begins with the comment part: nothing when it reads "//:",
// otherwise what stands behind "// " up to the first ":", the start of the number tag.
std::optional<QString> Comment_Of(const QString& rest)
{
    if (rest.startsWith("//:"_L1))
        return QString();
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    const qsizetype start = slash + 3;
    const qsizetype colon = start <= rest.size() ? rest.indexOf(u':', start) : -1;
    if (colon < 0)
        return std::nullopt;
    return rest.mid(start, colon - start);
}

bool fillComment(StepKind kind, const QString& rest, PanelFields& fields)
{
    const std::optional<QString> comment = Comment_Of(rest);
    if (!comment)
        return false;
    fields.setText(kind, F::Comment, *comment);
    return true;
}

// The port digit at its place selects the list entry of that number; a blank or another
// character that is no number selects the first; a digit with no entry cannot be read.
bool fillPort(StepKind kind, const QString& line, qsizetype at, PanelFields& fields)
{
    if (at >= line.size())
        return false;
    const QChar c = line.at(at);
    int position = 0;
    if (c >= u'0' && c <= u'9')
        position = c.unicode() - u'0';
    if (position > 4)
        return false;
    fields.selectEntry(kind, F::Choice, position);
    return true;
}

// "ON" exactly at its place selects the first level; anything else "OFF". The rest of the
// line starts behind the level and its separator.
std::optional<QString> fillLevel(StepKind kind, const QString& line, qsizetype at,
                                 qsizetype separator, PanelFields& fields)
{
    if (at + 2 > line.size())
        return std::nullopt;
    const bool on = QStringView(line).mid(at, 2) == u"ON";
    fields.selectEntry(kind, F::Level, on ? 0 : 1);
    return line.mid(at + (on ? 2 : 3) + separator);
}

bool Fill_Input_Panel(const QString& line, PanelFields& fields)
{
    if (!fillPort(StepKind::Input, line, 10, fields))
        return false;
    const std::optional<QString> rest = fillLevel(StepKind::Input, line, 14, 3, fields);
    if (!rest)
        return false;
    const qsizetype slash = rest->indexOf(u'/');
    if (slash < 0)
        return false;
    fields.setText(StepKind::Input, F::Value, trimBlanks(rest->left(slash)));
    return fillComment(StepKind::Input, rest->mid(slash), fields);
}

bool Fill_Output_Panel(const QString& line, PanelFields& fields)
{
    if (!fillPort(StepKind::Output, line, 12, fields))
        return false;
    const std::optional<QString> rest = fillLevel(StepKind::Output, line, 16, 0, fields);
    return rest && fillComment(StepKind::Output, trimBlanks(*rest), fields);
}

// Wait, Select Module and Load File: the value runs from behind its keyword and separator to
// the first blank, the comment part from the first "/" behind the value.
bool fillValueAndComment(StepKind kind, const QString& line, qsizetype from, PanelFields& fields)
{
    const QString rest = line.mid(from);
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        return false;
    fields.setText(kind, F::Value, rest.left(blank));
    const qsizetype slash = rest.indexOf(u'/', blank);
    return slash >= 0 && fillComment(kind, rest.mid(slash), fields);
}

struct Keyword
{
    QLatin1StringView text; // upper case
    int position;           // of the drop-down entry it selects
};

// Device Function and Probe Select: the first keyword the line starts with selects the entry;
// the comment part follows the keyword and two blanks.
bool fillKeyword(StepKind kind, const QString& line, std::span<const Keyword> keywords,
                 PanelFields& fields)
{
    const QString upper = line.toUpper();
    for (const Keyword& keyword : keywords) {
        if (upper.startsWith(keyword.text)) {
            fields.selectEntry(kind, F::Choice, keyword.position);
            return fillComment(kind, line.mid(keyword.text.size() + 2), fields);
        }
    }
    return false;
}

constexpr std::array<Keyword, 6> DeviceKeywords{{
    {"EPR"_L1, 0},
    {"PROGRAM"_L1, 1},
    {"ERASE"_L1, 2},
    {"COPY"_L1, 3},
    {"BLANK"_L1, 4},
    {"READ"_L1, 5},
}};

constexpr std::array<Keyword, 3> ProbeKeywords{{
    {"TARGETPROBE1"_L1, 0},
    {"TARGETPROBE2"_L1, 1},
    {"PROBESELECT"_L1, 2},
}};

} // namespace

bool Fill_Step_Panel(const QString& line, PanelFields& fields)
{
    const StepKind kind = classifyStep(line);
    switch (kind) {
    case StepKind::Input:
        return Fill_Input_Panel(line, fields);
    case StepKind::Output:
        return Fill_Output_Panel(line, fields);
    case StepKind::Wait: // behind "Wait , "
        return fillValueAndComment(kind, line, 7, fields);
    case StepKind::SelectModule: // behind "SelectModule , "
        return fillValueAndComment(kind, line, 15, fields);
    case StepKind::LoadFile: // behind "LoadFile , "
        return fillValueAndComment(kind, line, 11, fields);
    case StepKind::DeviceFunction:
        return fillKeyword(kind, line, DeviceKeywords, fields);
    case StepKind::BufferClear: // behind "BufferClear" and two blanks
        return fillComment(kind, line.mid(13), fields);
    case StepKind::ProbeSelect:
        return fillKeyword(kind, line, ProbeKeywords, fields);
    default:
        return false;
    }
}

} // namespace sw
