#include "script/numbering.h"

#include "steps/step_line.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// Whether the line holds "//"; found through its first "/", which is quick to search for.
bool hasCommentMark(QStringView line)
{
    for (qsizetype i = line.indexOf(u'/'); i >= 0 && i + 1 < line.size();
         i = line.indexOf(u'/', i + 1)) {
        if (line[i + 1] == u'/')
            return true;
    }
    return false;
}

// "//:(" + number + ")", built on the stack: a whole flow is renumbered at every insertion
// near its top.
class MarkedTag
{
public:
    explicit MarkedTag(int number)
    {
        for (int divisor = number >= 100 ? 100 : number >= 10 ? 10 : 1; divisor > 0; divisor /= 10)
            m_text[m_size++] = char16_t(u'0' + number / divisor % 10);
        m_text[m_size++] = u')';
    }
    QStringView withMark() const { return {m_text.data(), m_size}; }
    QStringView tag() const { return withMark().sliced(2); }

private:
    std::array<char16_t, 8> m_text{u'/', u'/', u':', u'('};
    qsizetype m_size = 4;
};

// More digits than a tag may hold would make the line unreadable on the next renumbering.
bool isTagNumber(int number)
{
    return number >= 0 && number <= 999;
}

// A line without "//" gets the empty comment marker in front of its tag.
void appendTag(QString& line, const MarkedTag& tag, bool marked)
{
    if (marked)
        line.append(tag.tag());
    else
        line.append(u"  ").append(tag.withMark());
}

} // namespace

ErrorText Set_Step_Number(QString& line, int number)
{
    if (!isTagNumber(number))
        return QString(UnexpectedError);
    // A line read from a file mostly carries its number already, often right behind the mark.
    const MarkedTag tag(number);
    const auto endsWith = [&line](QStringView end) {
        return line.size() >= end.size() &&
               std::equal(end.begin(), end.end(), line.constEnd() - end.size());
    };
    if (endsWith(tag.withMark()))
        return {};
    const bool marked = hasCommentMark(line);
    if (marked) {
        if (endsWith(tag.tag()))
            return {};
        if (const qsizetype old = trailingTag(line); old >= 0)
            line.truncate(old);
    }
    appendTag(line, tag, marked);
    return {};
}

ErrorText Tag_New_Step(QString& line, int number)
{
    if (!isTagNumber(number))
        return QString(UnexpectedError);
    appendTag(line, MarkedTag(number), hasCommentMark(line));
    return {};
}

void Remove_Step_Number(QString& line)
{
    if (!isNumberedLine(line))
        return;
    if (const qsizetype tag = trailingTag(line); tag >= 0)
        line.truncate(tag);
}

ErrorText Get_Step_Number(const QString& line, int& number)
{
    number = -1;
    const qsizetype p = line.lastIndexOf(":("_L1);
    const qsizetype q = line.lastIndexOf(u')');
    if (p < 0 || q < 0)
        return QString(UnexpectedError);
    const qsizetype digits = q - p - 2;
    if (digits < 1 || digits > 3)
        return QString(UnexpectedError);
    int value = 0;
    for (const QChar c : QStringView(line).mid(p + 2, digits)) {
        if (!isDigit(c))
            return QString(UnexpectedError);
        value = value * 10 + (c.unicode() - u'0');
    }
    number = value;
    return {};
}

ErrorText Renumber_Steps(FlowView& view, int start)
{
    if (start % 2 != 0)
        return QString(UnexpectedError);

    int n = 1;
    for (int position = start - 2; position >= 0; position -= 2) {
        const QString& line = view.itemText(position);
        if (isStartLine(line))
            break;
        if (isEndLine(line) || isCommentLine(line))
            continue;
        int previous = -1;
        if (ErrorText error = Get_Step_Number(line, previous); !error.isEmpty())
            return error;
        n = previous + 1;
        break;
    }

    for (int position = start; position < view.count(); position += 2) {
        const QString& line = view.itemText(position);
        if (isEndLine(line))
            break;
        if (isStartLine(line) || isCommentLine(line))
            continue;
        QString numbered = line;
        if (ErrorText error = Set_Step_Number(numbered, n); !error.isEmpty())
            return error;
        view.setItemText(position, numbered);
        ++n;
    }
    return {};
}

ErrorText Number_All_Steps(ScriptStore& store)
{
    for (auto& flow : store.flows) {
        int n = 1;
        for (int slot = 0; slot <= LastLineSlot; ++slot) {
            QString& line = flow[slot];
            if (line.isEmpty())
                break;
            if (!isNumberedLine(line) || line == u'-')
                continue;
            if (ErrorText error = Set_Step_Number(line, n); !error.isEmpty())
                return error;
            ++n;
        }
    }
    return {};
}

} // namespace sw
