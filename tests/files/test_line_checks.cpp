#include "files/line_checks.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLineChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkScriptLine_data();
    void checkScriptLine();
};

void TestLineChecks::checkScriptLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("accepted");

    const QList<std::pair<QString, bool>> rows{
        {u"(end)"_s, true},
        {u"(Start) "_s, false},
        {u"// any text"_s, true},
        {QString(), false},
        {u" Wait , 5"_s, false},
        {u"Hello"_s, false},

        {u"Input , IN0 , ON , 100  //:(1)"_s, true},
        {u"input,in0,on,5"_s, true},
        {u"INPUT  ,  IN 3 ,OFF,  12345// x"_s, true},
        {u"Input , IN5 , ON , 5"_s, false},
        {u"Input , IN12 , ON , 5"_s, false},
        {u"Input , IN0 , ON"_s, false},
        {u"Input , IN0 , ON , 123456"_s, false},
        {u"Input , IN0 , ON , 100abc"_s, false},
        {u"Input ,\tIN0 , ON , 1"_s, false},

        {u"Output , OUT4 , OFF  // x:(3)"_s, true},
        {u"Output , OUT0 , ONE"_s, false},
        {u"Output , OUT0 , ON , 5"_s, false},

        {u"Wait , 0"_s, true},
        {u"Wait , 12// x"_s, true},
        {u"Wait ,"_s, false},
        {u"Wait , 123456"_s, false},

        {u"Program//x"_s, true},
        {u"read   "_s, true},
        {u"EPROM"_s, false},
        {u"Programs"_s, false},
        {u"ProbeSelect // spare"_s, true},
        {u"TargetProbe3"_s, false},
        {u"PRINT"_s, false},
        {u"BUFFERCLEAR   "_s, true},
        {u"BufferClearX"_s, false},

        {u"SelectModule , ABC.yim"_s, true},
        {u"SelectModule , "_s + QString(249, u'M') + u".YIM"_s, true},
        {u"SelectModule , "_s + QString(250, u'M') + u".YIM"_s, false},
        {u"SelectModule , ABC.BIN"_s, false},
        {u"SelectModule , A B.YIM"_s, false},
        {u"LoadFile , A/B.HEX  // raw:(8)"_s, true},
        {u"LoadFile , "_s + QString(248, u'F'), true},
        {u"LoadFile , "_s + QString(249, u'F'), false},
        {u"LoadFile , MY FILE.HEX"_s, false},
    };
    for (const auto& [line, accepted] : rows)
        QTest::addRow("%s", qPrintable(line.left(40))) << line << accepted;
}

void TestLineChecks::checkScriptLine()
{
    QFETCH(QString, line);
    QFETCH(bool, accepted);
    QCOMPARE(sw::Check_Script_Line(line), accepted);
}

QTEST_APPLESS_MAIN(TestLineChecks)
#include "test_line_checks.moc"
