#include "app/step_loader.h"
#include "script/numbering.h"
#include "steps/choices.h"

#include <QTest>

#include <map>

using namespace Qt::StringLiterals;
using sw::PanelEntry;
using sw::PanelField;
using sw::StepKind;

namespace {

// The panel the loader filled, as the fields would show it.
struct FilledPanel : sw::PanelFields
{
    std::map<StepKind, std::map<PanelField, QString>> texts;
    std::map<StepKind, std::map<PanelField, int>> entries;

    void selectEntry(StepKind panel, PanelField field, int position) override
    {
        entries[panel][field] = position;
    }
    void setText(StepKind panel, PanelField field, const QString& text) override
    {
        texts[panel][field] = text;
    }
    // Filled fields of one panel, with the lists' entries as their texts.
    PanelEntry entry(StepKind panel, const QStringList& choices) const
    {
        PanelEntry filled;
        if (const auto found = texts.find(panel); found != texts.end()) {
            for (const auto& [field, text] : found->second)
                filled[field] = text;
        }
        if (const auto found = entries.find(panel); found != entries.end()) {
            for (const auto& [field, position] : found->second)
                filled[field] =
                    (field == PanelField::Level ? sw::choices::levels() : choices).value(position);
        }
        return filled;
    }
};

struct Fill
{
    bool filled;
    FilledPanel panel;
};

Fill fill(const QString& line)
{
    Fill result{false, {}};
    result.filled = sw::Fill_Step_Panel(line, result.panel);
    return result;
}

} // namespace

class StepLoaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsEachKindAtItsPlaces();
    void faultyLinesFail();
    void everySetStepLoadsBack();
};

void StepLoaderTest::readsEachKindAtItsPlaces()
{
    const auto input = fill(u"Input , IN3 , OFF , 500  // ready:(2)"_s);
    QVERIFY(input.filled);
    QCOMPARE(input.panel.entry(StepKind::Input, sw::choices::inputPorts()),
             (PanelEntry{u"IN3"_s, u"OFF"_s, u"500"_s, u"ready"_s}));
    auto program = fill(u"Program  // main area:(6)"_s);
    QCOMPARE(program.panel.entries[StepKind::DeviceFunction][PanelField::Choice], 1);
    // Lower-case "on" at the level's place reads as "OFF"; the other places fit by chance.
    const auto lower = fill(u"input , in2 , on , 5  //:(1)"_s);
    QVERIFY(lower.filled);
    QCOMPARE(lower.panel.entry(StepKind::Input, sw::choices::inputPorts()),
             (PanelEntry{u"IN2"_s, u"OFF"_s, u""_s, {}}));
}

void StepLoaderTest::faultyLinesFail()
{
    // A port digit without an entry fails before anything is filled.
    const auto port = fill(u"Input , IN7 , ON , 5  //:(1)"_s);
    QVERIFY(!port.filled);
    QVERIFY(port.panel.entries.empty() && port.panel.texts.empty());
    // A comment with no tag behind it fails after port, level and timeout are filled.
    auto untagged = fill(u"Input , IN1 , ON , 5  // x"_s);
    QVERIFY(!untagged.filled);
    QCOMPARE(untagged.panel.texts[StepKind::Input][PanelField::Value], u"5"_s);
    QCOMPARE(untagged.panel.entries[StepKind::Input][PanelField::Choice], 1);
    for (const QString& line : {u"input,in0,on,5"_s, u"Wait ,"_s, u"PRINT"_s, u"BufferClear"_s})
        QVERIFY2(!fill(line).filled, qPrintable(line));
}

// Any step a panel sets, numbered, loads back into the same fields.
void StepLoaderTest::everySetStepLoadsBack()
{
    struct Panel
    {
        StepKind kind;
        QStringList choices;
        bool hasLevel = false;
        bool hasValue = false;
    };
    const Panel panels[] = {
        {StepKind::Input, sw::choices::inputPorts(), true, true},
        {StepKind::Output, sw::choices::outputPorts(), true},
        {StepKind::Wait, {}, false, true},
        {StepKind::DeviceFunction, sw::choices::deviceFunctions()},
        {StepKind::SelectModule, {}, false, true},
        {StepKind::LoadFile, {}, false, true},
        {StepKind::BufferClear, {}},
        {StepKind::ProbeSelect, sw::choices::probes()},
    };
    const QStringList texts{{},           u"0"_s,       u"00250"_s, u"12ab"_s,
                            u"A/B.HEX"_s, u"abc.yim"_s, u"C:X"_s,   u" lead"_s,
                            u"a//b"_s,    u"x:(5)"_s,   u"end/"_s,  u"two  blanks"_s,
                            u"é中"_s,     u"/"_s,       u"//"_s,    u"line\nbreak"_s};
    for (const Panel& panel : panels) {
        for (qsizetype i = 0; i < texts.size() * texts.size(); ++i) {
            const QString choice =
                panel.choices.value(i % std::max<qsizetype>(1, panel.choices.size()));
            const QString level = sw::choices::levels().at(i % 2);
            const PanelEntry entry{choice, level, texts.at(i % texts.size()),
                                   texts.at(i / texts.size())};
            const auto set = sw::Set_Step(panel.kind, entry, false);
            if (set.line.isEmpty())
                continue;
            QString line = set.line;
            QVERIFY(sw::Set_Step_Number(line, 12).isEmpty());
            const auto loaded = fill(line);
            QVERIFY2(loaded.filled, qPrintable(line));
            // The loader fills the fields the panel has; the others stay empty.
            PanelEntry expected = set.entry;
            if (panel.choices.isEmpty())
                expected.choice.clear();
            if (!panel.hasLevel)
                expected.level.clear();
            if (!panel.hasValue)
                expected.value.clear();
            const PanelEntry got = loaded.panel.entry(panel.kind, panel.choices);
            QCOMPARE(got, expected);
        }
    }
}

QTEST_APPLESS_MAIN(StepLoaderTest)
#include "test_step_loader.moc"
