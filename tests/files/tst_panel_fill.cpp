#include "files/line_checks.h"
#include "files/panel_fill.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A fill as one list, "name=value" in the order the fields were filled.
QStringList describe(const sw::PanelFill& fill)
{
    QStringList fields;
    for (const sw::ChoiceFill& choice : fill.choices)
        fields << choice.list + u'=' + QString::number(choice.position);
    for (const sw::TextFill& text : fill.texts)
        fields << text.field + u'=' + text.text;
    return fields;
}

} // namespace

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
    QTest::addColumn<QStringList>("fields");

    using K = sw::StepKind;
    const auto row = [](const char* tag, const QString& line, K kind, bool ok,
                        const QStringList& fields) {
        QTest::newRow(tag) << line << kind << ok << fields;
    };

    row("input", u"Input , IN3 , OFF , 500  // ready:(2)"_s, K::Input, true,
        {u"cmbINIO=3"_s, u"cmbINLevel=1"_s, u"txtTout=500"_s, u"txtINComm=ready"_s});
    row("input ON", u"Input , IN0 , ON , 0  //:(1)"_s, K::Input, true,
        {u"cmbINIO=0"_s, u"cmbINLevel=0"_s, u"txtTout=0"_s, u"txtINComm="_s});
    row("input level in lower case reads OFF", u"Input , IN1 , on , 5  //:(1)"_s, K::Input, true,
        {u"cmbINIO=1"_s, u"cmbINLevel=1"_s, u"txtTout="_s, u"txtINComm="_s});
    row("input port 7", u"Input , IN7 , ON , 5  //:(1)"_s, K::Input, false, {});
    row("input tight form is too short", u"input,in0,on,5"_s, K::Input, false, {u"cmbINIO=0"_s});
    row("output", u"Output , OUT0 , ON  //:(1)"_s, K::Output, true,
        {u"cmbOutIO=0"_s, u"cmbOutLevel=0"_s, u"txtOutComm="_s});
    row("output OFF with comment", u"Output , OUT4 , OFF  // lamp:(3)"_s, K::Output, true,
        {u"cmbOutIO=4"_s, u"cmbOutLevel=1"_s, u"txtOutComm=lamp"_s});
    row("output without tag keeps what it filled", u"Output , OUT1 , ON  // lamp"_s, K::Output,
        false, {u"cmbOutIO=1"_s, u"cmbOutLevel=0"_s});
    row("wait", u"Wait , 100  // settle:(4)"_s, K::Wait, true,
        {u"txtWait=100"_s, u"txtWaitComm=settle"_s});
    row("wait no comment", u"Wait , 7  //:(5)"_s, K::Wait, true,
        {u"txtWait=7"_s, u"txtWaitComm="_s});
    row("wait without comment part", u"Wait , 7"_s, K::Wait, false, {});
    row("device Program", u"Program  // main area:(6)"_s, K::DeviceFunction, true,
        {u"cmbDev=1"_s, u"txtDevComm=main area"_s});
    row("device EPR", u"EPR  //:(5)"_s, K::DeviceFunction, true, {u"cmbDev=0"_s, u"txtDevComm="_s});
    row("device Read", u"READ  //:(1)"_s, K::DeviceFunction, true,
        {u"cmbDev=5"_s, u"txtDevComm="_s});
    row("device EPROM", u"EPROM"_s, K::DeviceFunction, false, {u"cmbDev=0"_s});
    row("device no keyword", u"Erasure  //:(1)"_s, K::DeviceFunction, false, {});
    row("module", u"SelectModule , ABC.YIM  //:(7)"_s, K::SelectModule, true,
        {u"txtYIM=ABC.YIM"_s, u"txtYIMComm="_s});
    row("load file with slash", u"LoadFile , A/B.HEX  // raw:(8)"_s, K::LoadFile, true,
        {u"txtLoad=A/B.HEX"_s, u"txtLoadComm=raw"_s});
    row("buffer clear", u"BufferClear  // after load:(4)"_s, K::BufferClear, true,
        {u"txtF2Comm=after load"_s});
    row("probe select", u"ProbeSelect  //:(9)"_s, K::ProbeSelect, true,
        {u"cmbProbe=2"_s, u"txtProbeComm="_s});
    row("target probe 2", u"TargetProbe2  // second board:(10)"_s, K::ProbeSelect, true,
        {u"cmbProbe=1"_s, u"txtProbeComm=second board"_s});
    row("start", u"(Start)"_s, K::None, true, {});
    row("end", u"(end)"_s, K::None, true, {});
    row("comment line", u"// note"_s, K::None, true, {});
    row("no kind", u"Hello"_s, K::None, false, {});
}

void TestPanelFill::fillStepPanel()
{
    QFETCH(QString, line);
    QFETCH(sw::StepKind, kind);
    QFETCH(bool, ok);
    QFETCH(QStringList, fields);

    const sw::PanelFill fill = sw::Fill_Step_Panel(line);
    QCOMPARE(fill.kind, kind);
    QCOMPARE(fill.ok, ok);
    QCOMPARE(describe(fill), fields);
}

void TestPanelFill::oddLinesNeverCrash()
{
    // Every cut of every kind's line, and random text behind each kind's prefix: the routines
    // must fail rather than read past the end (the sanitizers and Qt's own checks watch).
    const QStringList lines{
        u"Input , IN3 , OFF , 500  // ready:(2)"_s,
        u"Output , OUT1 , OFF  // x:(3)"_s,
        u"Wait , 100  // settle:(4)"_s,
        u"Program  // main area:(6)"_s,
        u"SelectModule , ABC.YIM  // m:(7)"_s,
        u"LoadFile , A/B.HEX  // raw:(8)"_s,
        u"BufferClear  // b:(9)"_s,
        u"TargetProbe1  // p:(10)"_s,
    };
    const QString alphabet = u" ,/:()0123456789INONOFF"_s;
    QRandomGenerator random(615);
    for (const QString& line : lines) {
        for (qsizetype cut = 0; cut <= line.size(); ++cut) {
            sw::Fill_Step_Panel(line.left(cut));
            sw::Check_Script_Line(line.left(cut));
        }
        for (int round = 0; round < 300; ++round) {
            QString odd = line.left(2 + random.bounded(14));
            for (int n = random.bounded(30); n > 0; --n)
                odd += alphabet.at(random.bounded(alphabet.size()));
            const sw::PanelFill fill = sw::Fill_Step_Panel(odd);
            QVERIFY(fill.choices.size() + fill.texts.size() <= 4);
        }
    }
}

QTEST_APPLESS_MAIN(TestPanelFill)
#include "tst_panel_fill.moc"
