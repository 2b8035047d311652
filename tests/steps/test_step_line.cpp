#include "script/numbering.h"
#include "steps/step_line.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

Q_DECLARE_METATYPE(sw::StepKind)

class StepLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Composed and numbered, every kind reads exactly as a script file holds it.
    void composedLines_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("input") << inputBody(u"IN0"_s, u"ON"_s, u"0"_s) << QString() << 1
                               << u"Input , IN0 , ON , 0  //:(1)"_s;
        QTest::newRow("input comment")
            << inputBody(u"IN3"_s, u"OFF"_s, u"500"_s) << u"wait for ready"_s << 2
            << u"Input , IN3 , OFF , 500  // wait for ready:(2)"_s;
        QTest::newRow("output") << outputBody(u"OUT1"_s, u"ON"_s) << QString() << 3
                                << u"Output , OUT1 , ON  //:(3)"_s;
        QTest::newRow("wait") << waitBody(u"100"_s) << u"settle"_s << 4
                              << u"Wait , 100  // settle:(4)"_s;
        QTest::newRow("device") << u"Program"_s << u"main area"_s << 6
                                << u"Program  // main area:(6)"_s;
        QTest::newRow("module") << selectModuleBody(u"ABC.YIM"_s) << QString() << 7
                                << u"SelectModule , ABC.YIM  //:(7)"_s;
        QTest::newRow("load") << loadFileBody(u"DATA.HEX"_s) << QString() << 8
                              << u"LoadFile , DATA.HEX  //:(8)"_s;
        QTest::newRow("buffer clear") << QString(BufferClearBody) << u"after load"_s << 4
                                      << u"BufferClear  // after load:(4)"_s;
        QTest::newRow("probe") << u"TargetProbe2"_s << u"second board"_s << 10
                               << u"TargetProbe2  // second board:(10)"_s;
        QTest::newRow("blank comment")
            << waitBody(u"1"_s) << u" "_s << 1 << u"Wait , 1  //  :(1)"_s;
    }

    void composedLines()
    {
        QFETCH(QString, body);
        QFETCH(QString, comment);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QString line = composeStepLine(body, comment);
        QVERIFY(Set_Step_Number(line, number).isEmpty());
        QCOMPARE(line, expected);
    }

    void classification_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<sw::StepKind>("kind");
        QTest::newRow("input") << u"input,in0,on,5"_s << StepKind::Input;
        QTest::newRow("output") << u"OUTPUT , OUT4 , OFF"_s << StepKind::Output;
        QTest::newRow("wait") << u"Wait , 5"_s << StepKind::Wait;
        for (const QString& device : {u"EPR"_s, u"Read"_s, u"erase"_s, u"Copy"_s, u"Blank"_s,
                                      u"Program"_s, u"PROGRAM  //:(1)"_s})
            QTest::newRow(qPrintable(device)) << device << StepKind::DeviceFunction;
        QTest::newRow("probeselect") << u"PROBESELECT"_s << StepKind::ProbeSelect;
        QTest::newRow("ProbeSelect") << u"ProbeSelect  //:(9)"_s << StepKind::ProbeSelect;
        QTest::newRow("short PR") << u"Pr"_s << StepKind::ProbeSelect;
        QTest::newRow("target") << u"TargetProbe1"_s << StepKind::ProbeSelect;
        QTest::newRow("module") << u"SelectModule , A.YIM"_s << StepKind::SelectModule;
        QTest::newRow("load") << u"LoadFile , X"_s << StepKind::LoadFile;
        QTest::newRow("buffer") << u"bufferclear"_s << StepKind::BufferClear;
        QTest::newRow("unknown") << u"Xyz"_s << StepKind::None;
        QTest::newRow("empty") << QString() << StepKind::None;
        QTest::newRow("one letter") << u"I"_s << StepKind::None;
    }

    void classification()
    {
        QFETCH(QString, line);
        QFETCH(sw::StepKind, kind);
        QCOMPARE(classifyStep(line), kind);
    }

    void fixedLinesInAnyCase()
    {
        QVERIFY(isStartLine(u"(start)"_s) && isStartLine(u"(START)"_s));
        QVERIFY(isEndLine(u"(eNd)"_s) && !isEndLine(u"(End) "_s));
        QVERIFY(isCommentLine(u"// x"_s) && !isCommentLine(u" // x"_s));
        QVERIFY(!isNumberedLine(u"(End)"_s) && !isNumberedLine(u"//"_s));
        QVERIFY(isNumberedLine(u"EPR"_s));
    }
};

QTEST_APPLESS_MAIN(StepLineTest)
#include "test_step_line.moc"
