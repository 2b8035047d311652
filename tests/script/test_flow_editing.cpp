#include "script/flow_editing.h"
#include "script/numbering.h"
#include "script/script_document.h"
#include "steps/step_line.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

namespace {

// Renders a flow of the given lines and selects one of them (a line index, not an item).
void show(ScriptDocument& doc, const QStringList& lines, int selectedLine)
{
    auto& flow = doc.store().flows[0];
    flow.fill({});
    for (int i = 0; i < lines.size(); ++i)
        flow[i] = lines[i];
    doc.Render_Flow(0);
    doc.view().select(selectedLine * 2);
}

QStringList linesOf(const FlowView& view)
{
    QStringList lines;
    for (int i = 0; i < view.count(); i += 2)
        lines << view.itemText(i);
    return lines;
}

// What breaks the layout every edit must keep, or nothing: lines at even positions framed by
// "(Start)" and "(End)", a connector after every line but "(End)", the selection on a line,
// and the numbered lines tagged 1, 2, 3 ...
QString flowFault(const FlowView& view)
{
    const int c = view.count();
    if (c < 3 || !isStartLine(view.itemText(0)) || !isEndLine(view.itemText(c - 1)))
        return u"not framed by (Start) and (End)"_s;
    int expected = 1;
    for (int i = 0; i < c; ++i) {
        const QString& item = view.itemText(i);
        if ((i % 2 == 1) != (item == ConnectorLine))
            return u"item %1 is '%2'"_s.arg(i).arg(item);
        if (i % 2 == 1 || !isNumberedLine(item))
            continue;
        int number = -1;
        Get_Step_Number(item, number);
        if (number != expected++)
            return u"line %1 '%2' is not step %3"_s.arg(i).arg(item).arg(expected - 1);
    }
    if (view.selected() % 2 != 0)
        return u"selection at %1"_s.arg(view.selected());
    return {};
}

// The line texts without their number tags, as the reference model keeps them.
QString bodyOf(QString line)
{
    if (const qsizetype tag = line.lastIndexOf(":("_L1); tag >= 0 && line.endsWith(u')')) {
        line.truncate(tag);
        if (line.endsWith("  //"_L1))
            line.chop(4);
    }
    return line;
}

} // namespace

class FlowEditingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The random edits below compare orders and numbers; this pins the exact texts.
    void movesAndDeleteKeepNeighboursNumbered()
    {
        const QStringList abc{u"(Start)"_s, u"A  //:(1)"_s, u"B  //:(2)"_s, u"C  //:(3)"_s,
                              u"(End)"_s};
        ScriptDocument doc;
        FlowView& view = doc.view();
        show(doc, abc, 3);
        QVERIFY(Move_Step_Up(view).isEmpty());
        QCOMPARE(linesOf(view), (QStringList{u"(Start)"_s, u"A  //:(1)"_s, u"C  //:(2)"_s,
                                             u"B  //:(3)"_s, u"(End)"_s}));
        QCOMPARE(view.selected(), 4);
        QVERIFY(Delete_Selected_Step(view).isEmpty());
        QCOMPARE(linesOf(view),
                 (QStringList{u"(Start)"_s, u"A  //:(1)"_s, u"B  //:(2)"_s, u"(End)"_s}));
        QCOMPARE(view.selected(), 4);
    }

    void unreadableTagStopsTheMoveWhereItIs()
    {
        ScriptDocument doc;
        show(doc, {u"(Start)"_s, u"A  //:(1)"_s, u"B  // x"_s, u"(End)"_s}, 1);
        QCOMPARE(Move_Step_Down(doc.view()), u"Unexpected error."_s);
        QCOMPARE(doc.view().itemText(2), u"B  // x"_s);
        QCOMPARE(doc.view().selected(), 2);
    }

    // Random inserts, moves and deletes against a plain list of step bodies: the view must
    // always hold the same steps in the same order, numbered 1, 2, 3 ..., framed and laid out.
    void randomEditsKeepLayoutAndNumbering()
    {
        int refusals = 0;
        QRandomGenerator random(20261206);
        for (int round = 0; round < 40; ++round) {
            ScriptDocument doc;
            doc.New_Script();
            FlowView& view = doc.view();
            QStringList model{u"(Start)"_s, u"(End)"_s};
            int selectedLine = 0;
            // Every fourth round mostly inserts, so that the flow fills up to its capacity.
            const bool filling = round % 4 == 0;
            for (int step = 0; step < (filling ? 900 : 300); ++step) {
                const int lines = static_cast<int>(model.size());
                const int op = static_cast<int>(random.bounded(filling ? 9 : 5));
                switch (op >= 5 ? 0 : op) {
                case 0: {
                    const QString body =
                        random.bounded(6) == 0 ? u"// c%1"_s.arg(step) : u"Wait , %1"_s.arg(step);
                    const ErrorText error = Insert_Step_Line(view, body);
                    if (lines == MaxFlowLines) {
                        QCOMPARE(error, u"Number of commands is a maximum."_s);
                        ++refusals;
                    } else if (selectedLine == lines - 1) {
                        model.insert(selectedLine++, body);
                    } else {
                        model.insert(++selectedLine, body);
                    }
                    break;
                }
                case 1:
                    Move_Step_Up(view);
                    if (selectedLine > 1 && selectedLine < lines - 1) {
                        model.swapItemsAt(selectedLine, selectedLine - 1);
                        --selectedLine;
                    }
                    break;
                case 2:
                    Move_Step_Down(view);
                    if (selectedLine > 0 && selectedLine < lines - 2) {
                        model.swapItemsAt(selectedLine, selectedLine + 1);
                        ++selectedLine;
                    }
                    break;
                case 3:
                    Delete_Selected_Step(view);
                    if (selectedLine > 0 && selectedLine < lines - 1)
                        model.removeAt(selectedLine);
                    break;
                default: {
                    // Clicking a line or the connector below it selects the line.
                    selectedLine = static_cast<int>(random.bounded(lines));
                    const bool connector = selectedLine < lines - 1 && random.bounded(2) == 1;
                    view.select(selectedLine * 2 + (connector ? 1 : 0));
                    break;
                }
                }
                const QString fault = flowFault(view);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
                QStringList bodies;
                for (const QString& line : linesOf(view))
                    bodies << bodyOf(line);
                QCOMPARE(bodies, model);
                QCOMPARE(view.selected(), selectedLine * 2);
            }
        }
        QVERIFY(refusals > 0);
    }
};

QTEST_GUILESS_MAIN(FlowEditingTest)
#include "test_flow_editing.moc"
