#include "files/panel_fill.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPanelFill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillStepPanel_data();
    void fillStepPanel();
    void oddLinesNeverCrash();
};

void TestPanelFill::fillStepPanel_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<sw::StepKind>("kind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("fields"); // "name=value|..." in the order they were filled

    using K = sw::StepKind;
    const auto row = [](const QString& line, K kind, bool ok, const QString& fields) {
        QTest::addRow("%s", qPrintable(line)) << line << kind << ok << fields;
    };
    row(u"Input , IN3 , OFF , 500  // ready:(2)"_s, K::Input, true,
        u"cmbINIO=3|cmbINLevel=1|txtTout=500|txtINComm=ready"_s);
    row(u"Input , IN1 , on , 5  //:(1)"_s, K::Input, true,
        u"cmbINIO=1|cmbINLevel=1|txtTout=|txtINComm="_s); // lower-case "on" reads as OFF
    row(u"Input , IN7 , ON , 5  //:(1)"_s, K::Input, false, {});
    row(u"input,in0,on,5"_s, K::Input, false, u"cmbINIO=0"_s);
    row(u"Output , OUT0 , ON  //:(1)"_s, K::Output, true,
        u"cmbOutIO=0|cmbOutLevel=0|txtOutComm="_s);
    row(u"Output , OUT1 , OFF  // lamp"_s, K::Output, false, u"cmbOutIO=1|cmbOutLevel=1"_s);
    row(u"Wait , 100  // settle:(4)"_s, K::Wait, true, u"txtWait=100|txtWaitComm=settle"_s);
    row(u"Wait , 7"_s, K::Wait, false, {});
    row(u"Program  // main area:(6)"_s, K::DeviceFunction, true,
        u"cmbDev=1|txtDevComm=main area"_s);
    row(u"READ  //:(1)"_s, K::DeviceFunction, true, u"cmbDev=5|txtDevComm="_s);
    row(u"EPROM"_s, K::DeviceFunction, false, u"cmbDev=0"_s);
    row(u"SelectModule , ABC.YIM  //:(7)"_s, K::SelectModule, true,
        u"txtYIM=ABC.YIM|txtYIMComm="_s);
    row(u"LoadFile , A/B.HEX  // raw:(8)"_s, K::LoadFile, true,
        u"txtLoad=A/B.HEX|txtLoadComm=raw"_s);
    row(u"BufferClear  // after load:(4)"_s, K::BufferClear, true, u"txtF2Comm=after load"_s);
    row(u"ProbeSelect  //:(9)"_s, K::ProbeSelect, true, u"cmbProbe=2|txtProbeComm="_s);
    row(u"TargetProbe2  // board:(10)"_s, K::ProbeSelect, true, u"cmbProbe=1|txtProbeComm=board"_s);
    row(u"(end)"_s, K::None, true, {});
    row(u"// note"_s, K::None, true, {});
    row(u"Hello"_s, K::None, false, {});
}

void TestPanelFill::fillStepPanel()
{
    QFETCH(QString, line);
    QFETCH(sw::StepKind, kind);
    QFETCH(bool, ok);
    QFETCH(QString, fields);

    const sw::PanelFill fill = sw::Fill_Step_Panel(line);
    QStringList filled;
    for (const sw::ChoiceFill& choice : fill.choices)
        filled << choice.list + u'=' + QString::number(choice.position);
    for (const sw::TextFill& text : fill.texts)
        filled << text.field + u'=' + text.text;
    QCOMPARE(fill.kind, kind);
    QCOMPARE(fill.ok, ok);
    QCOMPARE(filled.join(u'|'), fields);
}

void TestPanelFill::oddLinesNeverCrash()
{
    // Every cut of a line of each kind, and random text behind each kind's start, never reads
    // past the end (the sanitizers and Qt's checks watch); a line cut before its tag fails.
    const QStringList lines{
        u"Input , IN3 , OFF , 500  // a:(2)"_s,
        u"Output , OUT1 , OFF  // x:(3)"_s,
        u"Wait , 100  // settle:(4)"_s,
        u"Program  // main area:(6)"_s,
        u"SelectModule , ABC.YIM  // m:(7)"_s,
        u"LoadFile , A/B.HEX  // raw:(8)"_s,
        u"BufferClear  // b:(9)"_s,
        u"TargetProbe1  // p:(10)"_s,
    };
    const QString alphabet = u" ,/:()0123456789INOF"_s;
    QRandomGenerator random(615);
    for (const QString& line : lines) {
        for (qsizetype cut = 0; cut <= line.size(); ++cut) {
            const bool ok = sw::Fill_Step_Panel(line.left(cut)).ok;
            QVERIFY(!ok || cut > line.indexOf(u':'));
        }
        for (int round = 0; round < 300; ++round) {
            QString odd = line.left(2 + random.bounded(14));
            for (int n = random.bounded(30); n > 0; --n)
                odd += alphabet.at(random.bounded(alphabet.size()));
            sw::Fill_Step_Panel(odd);
        }
    }
}

QTEST_APPLESS_MAIN(TestPanelFill)
#include "test_panel_fill.moc"
