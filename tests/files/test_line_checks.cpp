#include "files/line_checks.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The lines the panels compose pass (test_panel_rules); these are the lenient and borderline ones.
class TestLineChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkScriptLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("accepted");

        const QStringList accepted{u"input,in0,on,5"_s, u"INPUT  ,  IN 3 ,OFF,  12345// x"_s,
                                   u"program   "_s,     u"ProbeSelect // spare"_s,
                                   u"LoadFile , A/B"_s, u"SelectModule , ABC.yim"_s};
        const QStringList refused{u" Wait , 5"_s,
                                  u"Input , IN5 , ON , 5"_s,
                                  u"Input , IN12 , ON , 5"_s,
                                  u"Input , IN0 , ON"_s,
                                  u"Input , IN0 , ON , 123456"_s,
                                  u"Input , IN0 , ON , 100abc"_s,
                                  u"Input ,\tIN0 , ON , 1"_s,
                                  u"Wait ,"_s,
                                  u"EPROM"_s,
                                  u"TargetProbe3"_s,
                                  u"SelectModule , ABC.BIN"_s,
                                  u"LoadFile ,"_s,
                                  u"LoadFile , MY FILE.HEX"_s};
        for (const QString& line : accepted)
            QTest::addRow("%s", qPrintable(line)) << line << true;
        for (const QString& line : refused)
            QTest::addRow("%s", qPrintable(line)) << line << false;
        for (const int over : {0, 1}) {
            QTest::addRow("module name of %d", 253 + over)
                << u"SelectModule , "_s + QString(249 + over, u'M') + u".YIM"_s << (over == 0);
            QTest::addRow("file name of %d", 248 + over)
                << u"LoadFile , "_s + QString(248 + over, u'F') << (over == 0);
        }
    }

    void checkScriptLine()
    {
        QFETCH(QString, line);
        QFETCH(bool, accepted);
        QCOMPARE(sw::Check_Script_Line(line), accepted);
    }
};

QTEST_APPLESS_MAIN(TestLineChecks)
#include "test_line_checks.moc"
