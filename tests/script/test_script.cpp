#include "files/step_text.h"
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

// A line without its number tag, as the reference model keeps it.
QString bodyOf(QString line)
{
    if (isNumberedLine(line))
        Remove_Step_Number(line);
    return line;
}

} // namespace

class ScriptTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberTags();
    void insertionAndUnreadableTags();
    void randomEditsKeepLayoutAndNumbering();
    void documentKeepsItsFlows();
};

void ScriptTest::numberTags()
{
    // A ":" in a name or comment is text of the line, never the start of its tag; a number
    // above 999 is refused and leaves the line as it was.
    for (const auto& [line, number, expected] :
         {std::tuple{u"Wait , 100"_s, 3, u"Wait , 100  //:(3)"_s},
          {u"Wait , 100  // settle"_s, 3, u"Wait , 100  // settle:(3)"_s},
          {u"Output , OUT0 , OFF  //:(12)"_s, 7, u"Output , OUT0 , OFF  //:(7)"_s},
          {u"Wait , 5  // a//b"_s, 2, u"Wait , 5  // a//b:(2)"_s},
          {u"EPR  //:(1234)"_s, 1, u"EPR  //:(1)"_s},
          {u"EPR  //:(05)"_s, 5, u"EPR  //:(5)"_s},
          {u"EPR  //:(105)"_s, 5, u"EPR  //:(5)"_s},
          {u"EPR"_s, 305, u"EPR  //:(305)"_s},
          {u"EPR // x"_s, 0, u"EPR // x:(0)"_s},
          {u"LoadFile , C:DATA.HEX  //:(1)"_s, 2, u"LoadFile , C:DATA.HEX  //:(2)"_s},
          {u"LoadFile , A/B"_s, 2, u"LoadFile , A/B  //:(2)"_s},
          {u"Wait , 5  // see: manual"_s, 1, u"Wait , 5  // see: manual:(1)"_s},
          {u"EPR"_s, 1000, u"EPR"_s}}) {
        QString numbered = line;
        const QString refused = number > 999 ? u"Unexpected error."_s : QString();
        QCOMPARE(Set_Step_Number(numbered, number), refused);
        QCOMPARE(numbered, expected);
        int read = -2;
        QCOMPARE(Get_Step_Number(numbered, read), refused);
        QCOMPARE(read, refused.isEmpty() ? number : -1);
    }
    int n = 0;
    QVERIFY(Get_Step_Number(u"EPR  //:(007)"_s, n).isEmpty());
    QCOMPARE(n, 7);
    for (const QString& bad : {u"EPR  //:(1234)"_s, u"EPR  //:(1a)"_s, u"EPR  //:()"_s,
                               u"EPR  // x)"_s, u"EPR  //:(1"_s, u")EPR :("_s})
        QVERIFY2(Get_Step_Number(bad, n) == u"Unexpected error."_s && n == -1, qPrintable(bad));

    // Numbering all steps counts each flow from 1 and passes over comments and separators.
    ScriptStore store;
    store.flows[0] = {u"(Start)"_s, u"EPR"_s, u"// note"_s, u"-"_s, u"Read  //:(9)"_s, u"(End)"_s};
    store.flows[1] = {u"(START)"_s, u"Copy  // x:(4)"_s, u"(end)"_s};
    QVERIFY(Number_All_Steps(store).isEmpty());
    QCOMPARE(QStringList(store.flows[0].begin(), store.flows[0].begin() + 6).join(u'|'),
             u"(Start)|EPR  //:(1)|// note|-|Read  //:(2)|(End)"_s);
    QCOMPARE(store.flows[1][1], u"Copy  // x:(1)"_s);
}

// Placement and numbering at every position are walked by the random edits; these are no
// selection at all, and lines whose tag cannot be read.
void ScriptTest::insertionAndUnreadableTags()
{
    ScriptDocument doc;
    doc.New_Script();
    FlowView& view = doc.view();
    view.select(-1);
    QVERIFY(Insert_Step_Line(view, u"Copy"_s).isEmpty());
    QCOMPARE(view.count(), 3);

    // An insertion below an unreadable tag keeps its line and says so; a move stops.
    show(doc, {u"(Start)"_s, u"EPR  // x"_s, u"(End)"_s}, 1);
    QCOMPARE(Insert_Step_Line(view, u"Read"_s), u"Unexpected error."_s);
    QCOMPARE(view.itemText(4), u"Read"_s);
    show(doc, {u"(Start)"_s, u"A  //:(1)"_s, u"B  // x"_s, u"(End)"_s}, 1);
    QCOMPARE(Move_Step_Down(view), u"Unexpected error."_s);
    QCOMPARE(view.itemText(2), u"B  // x"_s);
    QCOMPARE(view.selected(), 2);
}

// Random inserts, pastes, replacements, moves and deletes of single steps and runs against a
// plain list of step bodies: the view must always hold the same steps in the same order,
// numbered 1, 2, 3 ..., framed and laid out, with the same line or run selected.
void ScriptTest::randomEditsKeepLayoutAndNumbering()
{
    int refusals = 0;
    QRandomGenerator random(20261206);
    for (int round = 0; round < 40; ++round) {
        ScriptDocument doc;
        doc.New_Script();
        FlowView& view = doc.view();
        QStringList model{u"(Start)"_s, u"(End)"_s};
        int anchor = 0; // line indices of the run's ends
        int current = 0;
        // Every fourth round mostly inserts, so that the flow fills up to its capacity.
        const bool filling = round % 4 == 0;
        for (int step = 0; step < (filling ? 900 : 300); ++step) {
            const int lines = static_cast<int>(model.size());
            const int first = std::min(anchor, current);
            const int last = std::max(anchor, current);
            const bool onSteps = first > 0 && last < lines - 1;
            const auto moveRunBefore = [&](int place) {
                if (!onSteps || place < 1 || place > lines - 1 ||
                    (place >= first && place <= last + 1))
                    return;
                const QStringList run = model.mid(first, last - first + 1);
                model.remove(first, run.size());
                const int at = place > last ? place - int(run.size()) : place;
                model = model.first(at) + run + model.sliced(at);
                anchor += at - first;
                current += at - first;
            };
            const int op = static_cast<int>(random.bounded(filling ? 12 : 9));
            switch (op >= 9 ? 0 : op) {
            case 0:
            case 1: { // a Set, or the run copied and pasted at a random line
                QStringList bodies;
                if (op == 0) {
                    bodies << (random.bounded(6) == 0 ? u"// c%1"_s.arg(step)
                                                      : u"Wait , %1  // a:(3)"_s.arg(step));
                } else if (onSteps) {
                    const PastedSteps pasted = readStepText(stepText(selectedSteps(view)));
                    QVERIFY(pasted.error.isEmpty());
                    bodies = pasted.lines;
                    anchor = current = static_cast<int>(random.bounded(lines));
                    view.select(2 * current);
                }
                const ErrorText error = insertStepLines(view, bodies);
                const int below = std::max(anchor, current);
                if (lines + bodies.size() > MaxFlowLines) {
                    QCOMPARE(error, u"Number of commands is a maximum."_s);
                    ++refusals;
                } else if (!bodies.isEmpty() && below < lines - 1) {
                    model = model.first(below + 1) + bodies + model.sliced(below + 1);
                    anchor = below + 1;
                    current = below + int(bodies.size());
                } else if (!bodies.isEmpty()) { // above a selected "(End)", which stays selected
                    model = model.first(below) + bodies + model.sliced(below);
                    anchor = current = below + int(bodies.size());
                }
                break;
            }
            case 2:
                Move_Step_Up(view);
                moveRunBefore(first - 1);
                break;
            case 3:
                Move_Step_Down(view);
                moveRunBefore(last + 2);
                break;
            case 4: {
                const int place = static_cast<int>(random.bounded(lines + 1));
                moveStepsBefore(view, 2 * place);
                moveRunBefore(place);
                break;
            }
            case 5:
                Delete_Selected_Step(view);
                if (onSteps) {
                    model.remove(first, last - first + 1);
                    anchor = current = first;
                }
                break;
            case 6:
                replaceStepLine(view, u"Read  // r:(%1)"_s.arg(step));
                if (first == last && isNumberedLine(model[first]))
                    model[first] = u"Read  // r:(%1)"_s.arg(step);
                break;
            case 7: { // Shift with an arrow key, or Shift+click
                const int to = random.bounded(3) ? current + (random.bounded(2) ? 1 : -1)
                                                 : static_cast<int>(random.bounded(lines));
                view.selectRun(view.anchor(), 2 * to);
                if (lines > 2) {
                    anchor = std::clamp(anchor, 1, lines - 2);
                    current = std::clamp(to, 1, lines - 2);
                }
                break;
            }
            default: {
                // Clicking a line or the connector below it selects the line.
                current = anchor = static_cast<int>(random.bounded(lines));
                const bool connector = current < lines - 1 && random.bounded(2) == 1;
                view.select(current * 2 + (connector ? 1 : 0));
                break;
            }
            }
            const QString fault = flowFault(view);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
            QStringList bodies;
            for (int i = 0; i < view.count(); i += 2)
                bodies << bodyOf(view.itemText(i));
            QCOMPARE(bodies, model);
            QCOMPARE(QPoint(view.anchor(), view.selected()), QPoint(anchor * 2, current * 2));
        }
    }
    QVERIFY(refusals > 0);
}

void ScriptTest::documentKeepsItsFlows()
{
    ScriptDocument doc;
    doc.store().flows[1][0] = u"junk"_s;
    doc.saved().flows[0][5] = u"junk"_s;
    doc.New_Script();
    // A new script starts both flows at "(Start)" in both copies, unchanged.
    for (int f = 0; f < FlowCount; ++f) {
        for (const auto* flow : {doc.store().flows[f].data(), doc.saved().flows[f].data()})
            QCOMPARE(QStringList(flow, flow + 6).join(u'|'), u"(Start)|(End)||||"_s);
    }
    QVERIFY(!doc.Is_Script_Changed());
    QCOMPARE(doc.view().items(), (QStringList{u"(Start)"_s, ConnectorLine, u"(End)"_s}));
    QCOMPARE(doc.view().selected(), 0);

    auto& flow = doc.store().flows[0];
    // A comment of a megabyte is shown by its beginning and kept whole. Harvest drops the
    // connectors and nothing else, and clears what stood behind.
    const QString note = u"// "_s + QString(1 << 20, u'n');
    flow = {u"(START)"_s, note, u"EPR  //:(1)"_s, u"(end)"_s, {}, {}, u"stale"_s};
    QVERIFY(doc.Render_Flow(-1).isEmpty());
    QCOMPARE(doc.view().items(), (QStringList{u"(START)"_s, ConnectorLine, note, ConnectorLine,
                                              u"EPR  //:(1)"_s, ConnectorLine, u"(end)"_s}));
    QCOMPARE(doc.view().index(2).data().toString(), note.first(1000) + u'\u2026');
    QCOMPARE(doc.view().index(4).data().toString(), u"EPR  //:(1)"_s);
    QVERIFY(doc.Harvest_Flow(0).isEmpty());
    QCOMPARE(QStringList(flow.begin(), flow.begin() + 7),
             (QStringList{u"(START)"_s, note, u"EPR  //:(1)"_s, u"(end)"_s, {}, {}, {}}));

    // A full flow is 515 items; the saved copy, one slot shorter, still takes and compares it.
    auto& full = doc.store().flows[1];
    full[0] = u"(Start)"_s;
    for (int slot = 1; slot < MaxFlowLines - 1; ++slot)
        full[slot] = u"Copy  //:(%1)"_s.arg(slot);
    full[MaxFlowLines - 1] = u"(End)"_s;
    doc.Render_Flow(1);
    QCOMPARE(doc.view().count(), MaxFlowItems);
    QVERIFY(Is_Flow_Full(doc.view()));
    QVERIFY(doc.Harvest_Flow(1).isEmpty());
    QVERIFY(full[LastLineSlot] == u"(End)"_s && full[StoreSlots - 1].isEmpty());
    doc.Copy_Store_To_Saved();
    QCOMPARE(doc.saved().flows[1][LastLineSlot], u"(End)"_s);
    QVERIFY(!doc.Is_Script_Changed());
    full[LastLineSlot] = u"(end)"_s;
    QVERIFY(doc.Is_Script_Changed());

    // Each flow keeps its edit and its place; choosing the flow shown harvests and renders it
    // again; while the window is being filled the selector's changes do nothing; New starts
    // afresh.
    doc.New_Script();
    FlowView& view = doc.view();
    const auto shown = [&] {
        return u"%1 %2 %3"_s.arg(doc.shownFlow()).arg(view.selected()).arg(view.itemText(2));
    };
    view.insertLine(2, u"EPR  //:(1)"_s);
    const auto to = [&](int f, const QString& expected) {
        QVERIFY(doc.Switch_Flow(f).isEmpty());
        QCOMPARE(shown(), expected);
    };
    to(1, u"1 0 (End)"_s);
    view.insertLine(2, u"Read  //:(1)"_s);
    view.select(2);
    to(1, u"1 2 Read  //:(1)"_s);
    to(0, u"0 0 EPR  //:(1)"_s);
    QCOMPARE(doc.store().flows[1][1], u"Read  //:(1)"_s);
    to(1, u"1 2 Read  //:(1)"_s);
    doc.FormLoading = true;
    to(0, u"1 2 Read  //:(1)"_s);
    doc.FormLoading = false;
    doc.New_Script();
    to(1, u"1 0 (End)"_s);

    // Any difference up to the working copy's terminator counts, in either flow; shorter and
    // longer working copies count too.
    const QString step = u"Wait , 5  //:(1)"_s;
    for (int f = 0; f < FlowCount; ++f) {
        auto& changing = doc.store().flows[f];
        changing = {u"(Start)"_s, step, step, step, u"(End)"_s};
        doc.Copy_Store_To_Saved();
        for (const QString& changed :
             {u"wait , 5  //:(1)"_s, u"Wait ,  5  //:(1)"_s, u"Wait , 5  //:(2)"_s, u"(End)"_s}) {
            changing[1] = changed;
            QVERIFY2(doc.Is_Script_Changed(), qPrintable(changed));
        }
        changing = {u"(Start)"_s, step, step, step, step, u"(End)"_s};
        QVERIFY(doc.Is_Script_Changed());
        // Saving a shorter script leaves the longer one's tail behind the terminator, where
        // nothing reads it.
        changing = {u"(Start)"_s, step, u"(End)"_s};
        QVERIFY(doc.Is_Script_Changed());
        doc.Copy_Store_To_Saved();
        QVERIFY(!doc.Is_Script_Changed());
        QCOMPARE(doc.saved().flows[f][4], u"(End)"_s);
        QVERIFY(doc.Copy_Saved_To_Store().isEmpty());
        QVERIFY(changing[3].isEmpty() && changing[4].isEmpty());
    }
}

QTEST_GUILESS_MAIN(ScriptTest)
#include "test_script.moc"
