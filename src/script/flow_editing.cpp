#include "script/flow_editing.h"

#include "script/numbering.h"
#include "steps/step_line.h"

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

} // namespace

bool Is_Flow_Full(const FlowView& view)
{
    return view.count() >= MaxFlowItems;
}

ErrorText Insert_Step_Line(FlowView& view, const QString& text)
{
    if (Is_Flow_Full(view))
        return QString(FlowFullMessage);
    const int selected = view.selected();
    if (selected < 0)
        return {};

    int position = selected + 2;
    if (selected == view.count() - 1) {
        // "(End)" selected: the line goes just before it and "(End)" stays selected.
        position = selected;
        view.insertLine(position, text);
    } else {
        view.insertLine(position, text);
        view.select(position);
    }
    return Renumber_Steps(view, position);
}

ErrorText Move_Step_Up(FlowView& view)
{
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
    const int s = view.selected();
    if (s <= 0 || s == view.count() - 1)
        return {};
    const bool wasComment = isCommentLine(view.itemText(s));
    view.removeLine(s);
    if (!wasComment && view.count() > 3) {
        if (ErrorText error = Renumber_Steps(view, s); !error.isEmpty())
            return error;
    }
    view.select(s);
    return {};
}

} // namespace sw
