#include "steps/panel_fill.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPanelFill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillStepPanel_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("fields"); // "name=value|..." in the order they were filled

        const auto row = [](const QString& line, bool ok, const QString& fields) {
            QTest::addRow("%s", qPrintable(line)) << line << ok << fields;
        };
        row(u"Input , IN3 , OFF , 500  // ready:(2)"_s, true,
            u"cmbINIO=3|cmbINLevel=1|txtTout=500|txtINComm=ready"_s);
        // A lower-case "on" reads as OFF, which moves the timeout's place.
        row(u"Input , IN1 , on , 5  //:(1)"_s, true,
            u"cmbINIO=1|cmbINLevel=1|txtTout=|txtINComm="_s);
        row(u"Input , IN7 , ON , 5  //:(1)"_s, false, {});
        row(u"input,in0,on,5"_s, false, u"cmbINIO=0"_s); // what was filled stays
        row(u"Output , OUT0 , ON  //:(1)"_s, true, u"cmbOutIO=0|cmbOutLevel=0|txtOutComm="_s);
        row(u"Wait , 100  // settle:(4)"_s, true, u"txtWait=100|txtWaitComm=settle"_s);
        row(u"Program  // main area:(6)"_s, true, u"cmbDev=1|txtDevComm=main area"_s);
        row(u"SelectModule , ABC.YIM  //:(7)"_s, true, u"txtYIM=ABC.YIM|txtYIMComm="_s);
        row(u"LoadFile , A/B.HEX  // raw:(8)"_s, true, u"txtLoad=A/B.HEX|txtLoadComm=raw"_s);
        row(u"BufferClear  // after load:(4)"_s, true, u"txtF2Comm=after load"_s);
        row(u"ProbeSelect  //:(9)"_s, true, u"cmbProbe=2|txtProbeComm="_s);
        row(u"(end)"_s, true, {}); // start, end and comment lines fill nothing
        row(u"Hello"_s, false, {});
    }

    void fillStepPanel()
    {
        QFETCH(QString, line);
        QFETCH(bool, ok);
        QFETCH(QString, fields);

        const sw::PanelFill fill = sw::Fill_Step_Panel(line);
        QStringList filled;
        for (const sw::ChoiceFill& choice : fill.choices)
            filled << choice.list + u'=' + QString::number(choice.position);
        for (const sw::TextFill& text : fill.texts)
            filled << text.field + u'=' + text.text;
        QCOMPARE(fill.ok, ok);
        QCOMPARE(filled.join(u'|'), fields);

        // Every cut of the line fails before its tag, and odd text behind its start never reads
        // past the end (the sanitizers and Qt's checks watch).
        for (qsizetype cut = 0; cut <= line.size(); ++cut)
            QVERIFY(!sw::Fill_Step_Panel(line.left(cut)).ok || cut > line.indexOf(u':'));
        const QString alphabet = u" ,/:()0123456789INOF"_s;
        QRandomGenerator random(615);
        for (int round = 0; round < 300; ++round) {
            QString odd = line.left(2 + random.bounded(14));
            for (int n = random.bounded(30); n > 0; --n)
                odd += alphabet.at(random.bounded(alphabet.size()));
            sw::Fill_Step_Panel(odd);
        }
    }
};

QTEST_APPLESS_MAIN(TestPanelFill)
#include "test_panel_fill.moc"
