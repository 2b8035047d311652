#pragma once

#include "script/flow_view.h"
#include "script/numbering.h"
#include "steps/step_line.h"

#include <QStringList>
#include <QTest>

// Checks shared by the flow tests: the layout every edit must keep.
namespace sw::test {

// The lines of the view, connectors left out.
inline QStringList linesOf(const FlowView& view)
{
    QStringList lines;
    for (int i = 0; i < view.count(); i += 2)
        lines << view.itemText(i);
    return lines;
}

// Lines at even positions, a connector after every line but "(End)", "(Start)" first and
// "(End)" last, the selection on a line, and the numbered lines tagged 1, 2, 3 ...
inline bool flowIsWellFormed(const FlowView& view, QString* why)
{
    const int c = view.count();
    auto fail = [why](const QString& text) {
        *why = text;
        return false;
    };
    if (c < 3 || c % 2 == 0)
        return fail(QStringLiteral("item count %1").arg(c));
    if (!isStartLine(view.itemText(0)) || !isEndLine(view.itemText(c - 1)))
        return fail(QStringLiteral("not framed by (Start) and (End)"));
    int expected = 1;
    for (int i = 0; i < c; ++i) {
        const QString& item = view.itemText(i);
        if ((i % 2 == 1) != (item == ConnectorLine))
            return fail(QStringLiteral("item %1 is '%2'").arg(i).arg(item));
        if (i % 2 == 1 || !isNumberedLine(item))
            continue;
        int number = -1;
        if (!Get_Step_Number(item, number).isEmpty() || number != expected)
            return fail(
                QStringLiteral("line %1 '%2' should be step %3").arg(i).arg(item).arg(expected));
        ++expected;
    }
    if (view.selected() % 2 != 0 || view.selected() >= c)
        return fail(QStringLiteral("selection at %1").arg(view.selected()));
    return true;
}

} // namespace sw::test

#define VERIFY_FLOW(view)                                                                          \
    do {                                                                                           \
        QString why;                                                                               \
        QVERIFY2(sw::test::flowIsWellFormed(view, &why), qPrintable(why));                         \
    } while (false)
