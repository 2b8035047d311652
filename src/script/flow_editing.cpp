#include "script/flow_editing.h"

#include "script/numbering.h"
#include "steps/step_line.h"

#include <algorithm>

namespace sw {

namespace {

// Exchanges the lines at upper and upper + 2. When both are numbered they were neighbours in
// the numbering, k and k + 1, and keep that order from the top: the upper line gets the
// number read from the line at numberSource plus offset, the lower one that plus one.
ErrorText exchangeLines(FlowView& view, int upper, int numberSource, int offset)
{
    const int lower = upper + 2;
    QString upperLine = view.itemText(lower);
    QString lowerLine = view.itemText(upper);
    view.setItemText(upper, upperLine);
    view.setItemText(lower, lowerLine);
    // A comment line has no number, so the order of the numbered lines has not changed.
    if (isCommentLine(upperLine) || isCommentLine(lowerLine))
        return {};
    int number = -1;
    if (ErrorText error = Get_Step_Number(view.itemText(numberSource), number); !error.isEmpty())
        return error;
    if (ErrorText error = Set_Step_Number(upperLine, number + offset); !error.isEmpty())
        return error;
    view.setItemText(upper, upperLine);
    if (ErrorText error = Set_Step_Number(lowerLine, number + offset + 1); !error.isEmpty())
        return error;
    view.setItemText(lower, lowerLine);
    return {};
}

// A new step line as the renumbering may take it: a comment that ends as a tag would be taken
// for one, so such a line gets a tag of its own first.
QString newStepLine(QString line)
{
    if (trailingTag(line) >= 0)
        Tag_New_Step(line, 0);
    return line;
}

} // namespace

bool Is_Flow_Full(const FlowView& view)
{
    return view.count() >= MaxFlowItems;
}

ErrorText Insert_Step_Line(FlowView& view, const QString& text)
{
    return insertStepLines(view, {text});
}

ErrorText insertStepLines(FlowView& view, const QStringList& lines)
{
    if (view.count() + 2 * lines.size() > MaxFlowItems)
        return QString(FlowFullMessage);
    const int selected = view.runLast();
    if (selected < 0 || lines.isEmpty())
        return {};

    // "(End)" selected: the lines go just before it and "(End)" stays selected.
    const bool beforeEnd = selected == view.count() - 1;
    const int first = beforeEnd ? selected : selected + 2;
    int position = first;
    for (const QString& line : lines) {
        view.insertLine(position, isNumberedLine(line) ? newStepLine(line) : line);
        position += 2;
    }
    if (!beforeEnd)
        view.selectRun(first, position - 2);
    return Renumber_Steps(view, first);
}

ErrorText replaceStepLine(FlowView& view, const QString& text)
{
    if (!isReplaceable(view))
        return {};
    const int s = view.selected();
    view.setItemText(s, newStepLine(text));
    return Renumber_Steps(view, s);
}

bool selectsSteps(const FlowView& view)
{
    return view.runFirst() > 0 && view.runLast() < view.count() - 1;
}

bool isReplaceable(const FlowView& view)
{
    const int s = view.selected();
    return selectsSteps(view) && view.anchor() == s && !isCommentLine(view.itemText(s));
}

QStringList selectedSteps(const FlowView& view)
{
    QStringList lines;
    if (!selectsSteps(view))
        return lines;
    for (int position = view.runFirst(); position <= view.runLast(); position += 2)
        lines << view.itemText(position);
    return lines;
}

ErrorText moveStepsBefore(FlowView& view, int position)
{
    const int first = view.runFirst();
    const int last = view.runLast();
    if (first <= 0 || last >= view.count() - 1 || position < 2 || position > view.count() - 1 ||
        position % 2 != 0 || (position >= first && position <= last + 2))
        return {};
    // The lines from the run to the place turn round, the run to the place's side; no row of
    // the list comes or goes.
    const bool up = position < first;
    const int top = up ? position : first;
    const int bottom = up ? last : position - 2;
    QStringList lines;
    for (int p = top; p <= bottom; p += 2)
        lines << view.itemText(p);
    const qsizetype runLines = (last - first) / 2 + 1;
    std::rotate(lines.begin(), up ? lines.end() - runLines : lines.begin() + runLines, lines.end());
    for (int p = top; p <= bottom; p += 2)
        view.setItemText(p, lines.at((p - top) / 2));
    const int newFirst = up ? position : position - 2 - (last - first);
    const int newLast = newFirst + (last - first);
    const bool anchoredAtTop = view.anchor() == first;
    view.selectRun(anchoredAtTop ? newFirst : newLast, anchoredAtTop ? newLast : newFirst);
    return Renumber_Steps(view, top);
}

ErrorText Move_Step_Up(FlowView& view)
{
    if (view.runFirst() != view.runLast())
        return moveStepsBefore(view, view.runFirst() - 2);
    const int s = view.selected();
    if (s <= 2 || s == view.count() - 1)
        return {};
    // The line now at s moved down and had the lower number.
    if (ErrorText error = exchangeLines(view, s - 2, s, 0); !error.isEmpty())
        return error;
    view.select(s - 2);
    return {};
}

ErrorText Move_Step_Down(FlowView& view)
{
    if (view.runFirst() != view.runLast())
        return moveStepsBefore(view, view.runLast() + 4);
    const int s = view.selected();
    const int c = view.count();
    if (s <= 0 || s == c - 3 || s == c - 1)
        return {};
    // The line now at s moved up and had the higher number.
    if (ErrorText error = exchangeLines(view, s, s, -1); !error.isEmpty())
        return error;
    view.select(s + 2);
    return {};
}

ErrorText Delete_Selected_Step(FlowView& view)
{
    const int s = view.runFirst();
    if (s <= 0 || view.runLast() == view.count() - 1)
        return {};
    bool numbered = false;
    for (int position = view.runLast(); position >= s; position -= 2) {
        numbered = numbered || !isCommentLine(view.itemText(position));
        view.removeLine(position);
    }
    if (numbered && view.count() > 3) {
        if (ErrorText error = Renumber_Steps(view, s); !error.isEmpty())
            return error;
    }
    view.select(s);
    return {};
}

} // namespace sw
