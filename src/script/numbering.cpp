#include "script/numbering.h"

#include "steps/step_line.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// Position of the ":" of a tag ":(" digits ")" that ends the line, or -1 when there is none.
qsizetype trailingTag(const QString& line)
{
    if (!line.endsWith(u')'))
        return -1;
    qsizetype i = line.size() - 2;
    while (i >= 0 && isDigit(line.at(i)))
        --i;
    if (i >= 1 && line.at(i) == u'(' && line.at(i - 1) == u':')
        return i - 1;
    return -1;
}

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

} // namespace

ErrorText Set_Step_Number(QString& line, int number)
{
    // More digits than a tag may hold would make the line unreadable on the next renumbering.
    if (number < 0 || number > 999)
        return QString(UnexpectedError);
    // The tag is built on the stack, behind the comment mark: a whole flow is renumbered at
    // every insertion near its top, and a line read from a file mostly carries its number
    // already, often right behind the mark.
    std::array<char16_t, 8> markedTag{u'/', u'/', u':', u'('};
    qsizetype size = 4;
    for (int divisor = number >= 100 ? 100 : number >= 10 ? 10 : 1; divisor > 0; divisor /= 10)
        markedTag[size++] = char16_t(u'0' + number / divisor % 10);
    markedTag[size++] = u')';
    const QStringView marked(markedTag.data(), size);
    const QStringView tag = marked.sliced(2);
    const auto endsWith = [&line](QStringView end) {
        return line.size() >= end.size() &&
               std::equal(end.begin(), end.end(), line.constEnd() - end.size());
    };
    if (endsWith(marked))
        return {};
    if (!hasCommentMark(line)) {
        line.append(u"  ").append(marked);
        return {};
    }
    if (endsWith(tag))
        return {};
    if (const qsizetype old = trailingTag(line); old >= 0)
        line.truncate(old);
    line.append(tag);
    return {};
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
