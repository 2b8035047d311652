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

    const auto row = [](const char* tag, const QString& line, bool accepted) {
        QTest::newRow(tag) << line << accepted;
    };

    row("start", u"(Start)"_s, true);
    row("end, lower case", u"(end)"_s, true);
    row("start with a blank behind", u"(Start) "_s, false);
    row("comment line", u"// any text"_s, true);
    row("empty line", QString(), false);
    row("leading blank", u" Wait , 5"_s, false);
    row("unknown prefix", u"Hello"_s, false);
    row("separator", u"-"_s, false);

    row("input canonical", u"Input , IN0 , ON , 100  //:(1)"_s, true);
    row("input tight, lower case", u"input,in0,on,5"_s, true);
    row("input loose", u"INPUT  ,  IN 3 ,OFF,  12345// x"_s, true);
    row("input five zeros, blanks behind", u"Input,IN4,OFF,00000   "_s, true);
    row("input port 5", u"Input , IN5 , ON , 5"_s, false);
    row("input two-digit port", u"Input , IN12 , ON , 5"_s, false);
    row("input no timeout", u"Input , IN0 , ON"_s, false);
    row("input empty timeout", u"Input , IN0 , ON , "_s, false);
    row("input six digits", u"Input , IN0 , ON , 123456"_s, false);
    row("input letters behind", u"Input , IN0 , ON , 100abc"_s, false);
    row("input single slash", u"Input , IN0 , ON , 100 / x"_s, false);
    row("input longer keyword", u"Inputs , IN0 , ON , 1"_s, false);
    row("input tab is no blank", u"Input ,\tIN0 , ON , 1"_s, false);

    row("output canonical", u"Output , OUT4 , OFF  // x:(3)"_s, true);
    row("output tight", u"output,out1,on"_s, true);
    row("output ONE", u"Output , OUT0 , ONE"_s, false);
    row("output port 5", u"Output , OUT5 , ON"_s, false);
    row("output IN port", u"Output , IN0 , ON"_s, false);
    row("output with timeout", u"Output , OUT0 , ON , 5"_s, false);

    row("wait 0", u"Wait , 0"_s, true);
    row("wait five digits", u"WAIT,99999  //:(1)"_s, true);
    row("wait comment glued", u"Wait , 12// x"_s, true);
    row("wait tag missing", u"Wait , 5  // x"_s, true);
    row("wait tag wrong", u"Wait , 5  //:(99)"_s, true);
    row("wait no time", u"Wait ,"_s, false);
    row("wait six digits", u"Wait , 123456"_s, false);
    row("wait no comma", u"Wait 5"_s, false);
    row("wait sign", u"Wait , -5"_s, false);

    row("device EPR", u"EPR  //:(5)"_s, true);
    row("device Program glued", u"Program//x"_s, true);
    row("device lower case, blanks", u"read   "_s, true);
    row("device Copy", u"Copy  // c:(1)"_s, true);
    row("device EPROM", u"EPROM"_s, false);
    row("device Programs", u"Programs"_s, false);
    row("device Blank x", u"Blank x"_s, false);
    row("device Erasure", u"Erasure"_s, false);

    row("probe select", u"ProbeSelect // spare"_s, true);
    row("probe 2 lower case", u"targetprobe2"_s, true);
    row("probe 3", u"TargetProbe3"_s, false);
    row("probe 1x", u"TargetProbe1x"_s, false);
    row("PRINT", u"PRINT"_s, false);

    row("module canonical", u"SelectModule , ABC.YIM  //:(7)"_s, true);
    row("module lower-case suffix", u"SelectModule , ABC.yim"_s, true);
    row("module suffix only", u"SelectModule,.YIM//x"_s, true);
    row("module 253", u"SelectModule , "_s + QString(249, u'M') + u".YIM"_s, true);
    row("module 254", u"SelectModule , "_s + QString(250, u'M') + u".YIM"_s, false);
    row("module other suffix", u"SelectModule , ABC.BIN"_s, false);
    row("module blank in name", u"SelectModule , A B.YIM"_s, false);
    row("module shorter than suffix", u"SelectModule , YIM"_s, false);
    row("module no name", u"SelectModule ,"_s, false);

    row("file one letter", u"LoadFile , X"_s, true);
    row("file slash in name", u"LoadFile , A/B.HEX  // raw:(8)"_s, true);
    row("file 248", u"LoadFile , "_s + QString(248, u'F'), true);
    row("file 249", u"LoadFile , "_s + QString(249, u'F'), false);
    row("file blank in name", u"LoadFile , MY FILE.HEX"_s, false);
    row("file no name", u"LoadFile ,  //:(1)"_s, false);

    row("buffer clear", u"BufferClear"_s, true);
    row("buffer clear blanks", u"BUFFERCLEAR   "_s, true);
    row("buffer clear glued comment", u"BufferClear//x"_s, true);
    row("buffer clear X", u"BufferClearX"_s, false);
}

void TestLineChecks::checkScriptLine()
{
    QFETCH(QString, line);
    QFETCH(bool, accepted);
    QCOMPARE(sw::Check_Script_Line(line), accepted);
}

QTEST_APPLESS_MAIN(TestLineChecks)
#include "tst_line_checks.moc"
