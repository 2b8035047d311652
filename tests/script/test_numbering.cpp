#include "script/flow_editing.h"
#include "script/numbering.h"
#include "script/script_document.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

class NumberingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setStepNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no comment") << u"Wait , 100"_s << 3 << u"Wait , 100  //:(3)"_s;
        QTest::newRow("retag") << u"Wait , 100  //:(3)"_s << 4 << u"Wait , 100  //:(4)"_s;
        QTest::newRow("comment") << u"Wait , 100  // settle"_s << 3
                                 << u"Wait , 100  // settle:(3)"_s;
        QTest::newRow("two digits to one")
            << u"Output , OUT0 , OFF  //:(12)"_s << 7 << u"Output , OUT0 , OFF  //:(7)"_s;
        QTest::newRow("slashes in comment")
            << u"Wait , 5  // a//b"_s << 2 << u"Wait , 5  // a//b:(2)"_s;
        QTest::newRow("malformed old tag") << u"EPR  //:(1234)"_s << 1 << u"EPR  //:(1)"_s;
        QTest::newRow("same tag") << u"EPR  //:(12)"_s << 12 << u"EPR  //:(12)"_s;
        QTest::newRow("same number, leading zero") << u"EPR  //:(05)"_s << 5 << u"EPR  //:(5)"_s;
        QTest::newRow("ends like the tag") << u"EPR  //:(105)"_s << 5 << u"EPR  //:(5)"_s;
        QTest::newRow("three digits, zero inside") << u"EPR"_s << 305 << u"EPR  //:(305)"_s;
        QTest::newRow("zero") << u"EPR // x"_s << 0 << u"EPR // x:(0)"_s;
        // A ":" in a name or comment is text of the line, never the start of its tag.
        QTest::newRow("colon in name")
            << u"LoadFile , C:DATA.HEX"_s << 1 << u"LoadFile , C:DATA.HEX  //:(1)"_s;
        QTest::newRow("colon in name, tagged")
            << u"LoadFile , C:DATA.HEX  //:(1)"_s << 2 << u"LoadFile , C:DATA.HEX  //:(2)"_s;
        QTest::newRow("colon in name, comment") << u"SelectModule , A:B.YIM  // main"_s << 5
                                                << u"SelectModule , A:B.YIM  // main:(5)"_s;
        QTest::newRow("colon in name, comment, tagged")
            << u"SelectModule , A:B.YIM  // main:(5)"_s << 6
            << u"SelectModule , A:B.YIM  // main:(6)"_s;
        QTest::newRow("colon in comment from a file")
            << u"Wait , 5  // see: manual"_s << 1 << u"Wait , 5  // see: manual:(1)"_s;
    }

    void setStepNumber()
    {
        QFETCH(QString, line);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QVERIFY(Set_Step_Number(line, number).isEmpty());
        QCOMPARE(line, expected);
        int read = -1;
        QVERIFY(Get_Step_Number(line, read).isEmpty());
        QCOMPARE(read, number);
    }

    void getStepNumberRefusesMalformedTags()
    {
        int n = 0;
        QVERIFY(Get_Step_Number(u"EPR  //:(007)"_s, n).isEmpty());
        QCOMPARE(n, 7);
        for (const QString& bad : {u"EPR  //:(1234)"_s, u"EPR  //:(1a)"_s, u"EPR  //:()"_s,
                                   u"EPR"_s, u"EPR  // x)"_s, u"EPR  //:(1"_s, u")EPR :("_s}) {
            QCOMPARE(Get_Step_Number(bad, n), u"Unexpected error."_s);
            QCOMPARE(n, -1);
        }
        QString line = u"EPR"_s;
        QCOMPARE(Set_Step_Number(line, 1000), u"Unexpected error."_s);
        QCOMPARE(line, u"EPR"_s);
    }

    void numberAllStepsPerFlow()
    {
        ScriptStore store;
        store.flows[0] = {u"(Start)"_s, u"EPR"_s,          u"// note"_s,
                          u"-"_s,       u"Read  //:(9)"_s, u"(End)"_s};
        store.flows[1] = {u"(START)"_s, u"Copy  // x:(4)"_s, u"(end)"_s};
        QVERIFY(Number_All_Steps(store).isEmpty());
        QCOMPARE(store.flows[0][1], u"EPR  //:(1)"_s);
        QCOMPARE(store.flows[0][2], u"// note"_s);
        QCOMPARE(store.flows[0][3], u"-"_s);
        QCOMPARE(store.flows[0][4], u"Read  //:(2)"_s);
        QCOMPARE(store.flows[1][1], u"Copy  // x:(1)"_s);
    }

    // Placement and numbering at every position are walked by the random edits; these are
    // the fixed points: the first step, "(End)" staying selected, and no selection at all.
    void insertionPlacesAndNumbers()
    {
        ScriptDocument doc;
        doc.New_Script();
        FlowView& view = doc.view();
        QVERIFY(Insert_Step_Line(view, u"Wait , 1"_s).isEmpty());
        QCOMPARE(view.items(), (QStringList{u"(Start)"_s, u"     |"_s, u"Wait , 1  //:(1)"_s,
                                            u"     |"_s, u"(End)"_s}));
        QCOMPARE(view.selected(), 2);
        view.select(4);
        Insert_Step_Line(view, u"EPR"_s);
        QCOMPARE(view.selected(), 6);
        QCOMPARE(view.itemText(4), u"EPR  //:(2)"_s);

        view.select(-1);
        const QStringList before = view.items();
        QVERIFY(Insert_Step_Line(view, u"Copy"_s).isEmpty());
        QCOMPARE(view.items(), before);
    }

    void unreadableTagAboveIsReportedAfterInsertion()
    {
        ScriptDocument doc;
        doc.store().flows[0] = {u"(Start)"_s, u"EPR  // x"_s, u"(End)"_s};
        doc.Render_Flow(0);
        doc.view().select(2);
        QCOMPARE(Insert_Step_Line(doc.view(), u"Read"_s), u"Unexpected error."_s);
        QCOMPARE(doc.view().itemText(4), u"Read"_s);
    }
};

QTEST_GUILESS_MAIN(NumberingTest)
#include "test_numbering.moc"
