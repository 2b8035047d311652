#include "script/script_document.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

class ScriptStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newScriptIsStartAndEndInBothCopies()
    {
        ScriptDocument doc;
        doc.store().flows[1][0] = u"junk"_s;
        doc.saved().flows[0][5] = u"junk"_s;
        doc.New_Script();
        for (int f = 0; f < FlowCount; ++f) {
            QCOMPARE(doc.store().flows[f][0], u"(Start)"_s);
            QCOMPARE(doc.store().flows[f][1], u"(End)"_s);
            QVERIFY(doc.store().flows[f][2].isEmpty());
            QCOMPARE(doc.saved().flows[f][0], u"(Start)"_s);
            QCOMPARE(doc.saved().flows[f][1], u"(End)"_s);
            QVERIFY(doc.saved().flows[f][5].isEmpty());
        }
        QVERIFY(!doc.Is_Script_Changed());
        QCOMPARE(doc.view().items(), (QStringList{u"(Start)"_s, u"     |"_s, u"(End)"_s}));
        QCOMPARE(doc.view().selected(), 0);
    }

    // Any difference up to the working copy's terminator counts, in either flow.
    void changeTestIsExactPerFlow()
    {
        ScriptDocument doc;
        doc.New_Script();
        const QString step = u"Wait , 5  //:(1)"_s;
        for (int f = 0; f < FlowCount; ++f) {
            doc.store().flows[f] = {u"(Start)"_s, step, u"(End)"_s};
            doc.Copy_Store_To_Saved();
            QVERIFY(!doc.Is_Script_Changed());
            for (const QString& changed :
                 {u"wait , 5  //:(1)"_s, u"Wait ,  5  //:(1)"_s, u"Wait , 5  //:(2)"_s}) {
                doc.store().flows[f][1] = changed;
                QVERIFY2(doc.Is_Script_Changed(), qPrintable(changed));
                doc.store().flows[f][1] = step;
                QVERIFY(!doc.Is_Script_Changed());
            }
            // Shorter and longer working copies both count as changed.
            doc.store().flows[f][1] = u"(End)"_s;
            doc.store().flows[f][2].clear();
            QVERIFY(doc.Is_Script_Changed());
            doc.store().flows[f] = {u"(Start)"_s, step, step, u"(End)"_s};
            QVERIFY(doc.Is_Script_Changed());
            doc.store().flows[f] = {u"(Start)"_s, step, u"(End)"_s};
            QVERIFY(!doc.Is_Script_Changed());
        }
    }

    void savingShorterOverLongerLeavesNoChange()
    {
        ScriptDocument doc;
        doc.New_Script();
        doc.store().flows[0] = {u"(Start)"_s, u"EPR  //:(1)"_s, u"Read  //:(2)"_s, u"(End)"_s};
        doc.Copy_Store_To_Saved();
        doc.store().flows[0] = {u"(Start)"_s, u"(End)"_s};
        QVERIFY(doc.Is_Script_Changed());
        doc.Copy_Store_To_Saved();
        // The longer script's tail stays behind the terminator, where nothing reads it.
        QCOMPARE(doc.saved().flows[0][3], u"(End)"_s);
        QVERIFY(!doc.Is_Script_Changed());
        QVERIFY(doc.Copy_Saved_To_Store().isEmpty());
        QVERIFY(doc.store().flows[0][2].isEmpty());
        QVERIFY(doc.store().flows[0][3].isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScriptStoreTest)
#include "test_script_store.moc"
