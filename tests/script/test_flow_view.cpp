#include "script/script_document.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

namespace {
const QString Connector = u"     |"_s;
}

class FlowViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void renderAndHarvestRoundTrip()
    {
        ScriptDocument doc;
        doc.New_Script();
        // A comment of a megabyte is shown by its beginning and kept whole.
        const QString note = u"// "_s + QString(1 << 20, u'n');
        doc.store().flows[0] = {u"(START)"_s, note, u"EPR  //:(1)"_s, u"(end)"_s};
        QVERIFY(doc.Render_Flow(-1).isEmpty());
        QCOMPARE(doc.view().items(), (QStringList{u"(START)"_s, Connector, note, Connector,
                                                  u"EPR  //:(1)"_s, Connector, u"(end)"_s}));
        const QString shown = doc.view().index(2).data().toString();
        QCOMPARE(shown, note.first(1000) + u'\u2026');
        QCOMPARE(doc.view().index(4).data().toString(), u"EPR  //:(1)"_s);
        // Harvest drops the connectors and nothing else, and clears what stood behind.
        doc.store().flows[0][6] = u"stale"_s;
        QVERIFY(doc.Harvest_Flow(0).isEmpty());
        QCOMPARE(doc.store().flows[0][1], note);
        QCOMPARE(doc.store().flows[0][3], u"(end)"_s);
        QVERIFY(doc.store().flows[0][4].isEmpty());
        QVERIFY(doc.store().flows[0][6].isEmpty());
    }

    void fullFlowRendersAs515Items()
    {
        ScriptDocument doc;
        doc.New_Script();
        auto& flow = doc.store().flows[1];
        flow[0] = u"(Start)"_s;
        for (int slot = 1; slot < MaxFlowLines - 1; ++slot)
            flow[slot] = u"Copy  //:(%1)"_s.arg(slot);
        flow[MaxFlowLines - 1] = u"(End)"_s;
        doc.Render_Flow(1);
        QCOMPARE(doc.view().count(), MaxFlowItems);
        QVERIFY(doc.Harvest_Flow(1).isEmpty());
        QCOMPARE(flow[LastLineSlot], u"(End)"_s);
        QVERIFY(flow[StoreSlots - 1].isEmpty());
        // The saved copy, one slot shorter, still takes and compares the whole flow.
        doc.Copy_Store_To_Saved();
        QCOMPARE(doc.saved().flows[1][LastLineSlot], u"(End)"_s);
        QVERIFY(!doc.Is_Script_Changed());
        flow[LastLineSlot] = u"(end)"_s;
        QVERIFY(doc.Is_Script_Changed());
    }

    void switchingFlowsKeepsBothEdits()
    {
        ScriptDocument doc;
        doc.New_Script();
        FlowView& view = doc.view();
        view.insertLine(2, u"EPR  //:(1)"_s);
        QVERIFY(doc.Switch_Flow(1).isEmpty());
        QCOMPARE(doc.shownFlow(), 1);
        QCOMPARE(flowHeading(doc.shownFlow()).colour, (Rgb{255, 10, 0}));
        QCOMPARE(view.selected(), 0);
        QCOMPARE(view.count(), 3);
        view.insertLine(2, u"Read  //:(1)"_s);
        doc.Switch_Flow(0);
        QCOMPARE(view.itemText(2), u"EPR  //:(1)"_s);
        QCOMPARE(doc.store().flows[1][1], u"Read  //:(1)"_s);

        // Choosing the flow already shown harvests and renders the same flow.
        view.select(2);
        doc.Switch_Flow(0);
        QCOMPARE(view.itemText(2), u"EPR  //:(1)"_s);
        QCOMPARE(view.selected(), 0);

        // While the window is being filled the selector's changes do nothing.
        doc.FormLoading = true;
        doc.Switch_Flow(1);
        QCOMPARE(doc.shownFlow(), 0);
        QCOMPARE(view.itemText(2), u"EPR  //:(1)"_s);
    }
};

QTEST_GUILESS_MAIN(FlowViewTest)
#include "test_flow_view.moc"
