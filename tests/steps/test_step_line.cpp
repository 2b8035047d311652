#include "script/numbering.h"
#include "steps/step_line.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

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
        QTest::newRow("wait") << waitBody(u"100"_s) << u"settle"_s << 4
                              << u"Wait , 100  // settle:(4)"_s;
        QTest::newRow("buffer clear") << QString(BufferClearBody) << u"after load"_s << 4
                                      << u"BufferClear  // after load:(4)"_s;
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

    // The prefixes that share letters or look alike are where classification goes wrong.
    void classificationByPrefix()
    {
        QCOMPARE(classifyStep(u"input,in0,on,5"_s), StepKind::Input);
        QCOMPARE(classifyStep(u"PROGRAM  //:(1)"_s), StepKind::DeviceFunction);
        QCOMPARE(classifyStep(u"Programs"_s), StepKind::DeviceFunction);
        QCOMPARE(classifyStep(u"ProbeSelect  //:(9)"_s), StepKind::ProbeSelect);
        QCOMPARE(classifyStep(u"Pr"_s), StepKind::ProbeSelect);
        QCOMPARE(classifyStep(u"erase"_s), StepKind::DeviceFunction);
        QCOMPARE(classifyStep(u"TargetProbe1"_s), StepKind::ProbeSelect);
        QCOMPARE(classifyStep(u"bufferclear"_s), StepKind::BufferClear);
        QCOMPARE(classifyStep(u"I"_s), StepKind::None);
        QCOMPARE(classifyStep(QString()), StepKind::None);
        QVERIFY(isStartLine(u"(start)"_s) && isEndLine(u"(eNd)"_s) && !isEndLine(u"(End) "_s));
        QVERIFY(!isNumberedLine(u"//"_s) && isNumberedLine(u" // x"_s));
    }

    // Keywords are recognised without upper-casing whole lines, yet answer exactly as
    // upper-casing would: also for characters that upper-case into ASCII letters ("\u017F"
    // long s, "\u0131" dotless i) or into several of them ("\uFB06" st), and for lines longer
    // or shorter than the keyword.
    void keywordsReadAsUpperCasingReadsThem()
    {
        const QStringList keywords{u"(START)"_s, u"(END)"_s, u"INPUT"_s, u"PROGRAM"_s, u".YIM"_s};
        const QStringList standIns{u"\u017F"_s, u"\u0131"_s, u"\uFB06"_s, u"\u00DF"_s, {}};
        for (const QString& keyword : keywords) {
            QStringList variants{keyword, keyword + u' ', keyword.toLower()};
            for (qsizetype i = 0; i < keyword.size(); ++i) {
                for (const QString& standIn : standIns) {
                    variants << QString(keyword).replace(i, 1, standIn)
                             << QString(keyword).replace(i, 2, standIn);
                }
            }
            for (const QString& line : std::as_const(variants)) {
                QCOMPARE(isStartLine(line), line.toUpper() == u"(START)"_s);
                QCOMPARE(isEndLine(line), line.toUpper() == u"(END)"_s);
                QCOMPARE(startsWithKeyword(line, keyword),
                         line.size() >= keyword.size() &&
                             line.left(keyword.size()).toUpper() == keyword);
            }
        }
        QCOMPARE(classifyStep(u"\u0131nput , IN0 , ON , 5"_s), StepKind::Input);
        QCOMPARE(classifyStep(u"\u017Felectmodule"_s), StepKind::SelectModule);
        QCOMPARE(classifyStep(u"\uFB06"_s), StepKind::None); // "ST" names no kind
    }
};

QTEST_APPLESS_MAIN(StepLineTest)
#include "test_step_line.moc"
