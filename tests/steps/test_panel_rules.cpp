#include "files/line_checks.h"
#include "script/numbering.h"
#include "steps/choices.h"
#include "steps/panel_rules.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using sw::PanelEntry;
using sw::Set_Step;
using sw::StepKind;

class PanelRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksAndAdjustments();
    void everyLineFromAnyFieldsIsAStep();
};

void PanelRulesTest::checksAndAdjustments()
{
    // An empty time or name stops silently, even before the capacity message.
    for (StepKind kind : {StepKind::Wait, StepKind::SelectModule, StepKind::LoadFile})
        QCOMPARE(Set_Step(kind, {}, true).message, QString());
    const auto set = [](StepKind kind, const QString& value, const QString& comment = {}) {
        return Set_Step(kind, {{}, {}, value, comment}, false);
    };
    // Typed digits stay as they are; pasted text is read as a number, as on leaving the field.
    QCOMPARE(set(StepKind::Wait, u"00250"_s).line, u"Wait , 00250"_s);
    QCOMPARE(set(StepKind::Wait, u"12ab"_s).entry.value, u"12"_s);
    QCOMPARE(set(StepKind::Wait, u"1234567"_s).line, u"Wait , 12345"_s);
    // A pasted comment loses what its key filter refuses, and its line breaks.
    QCOMPARE(set(StepKind::Wait, u"5"_s, u"x:y\n"_s).line, u"Wait , 5  // xy "_s);

    // Names: the suffix, the length limits, then what would not read back.
    QCOMPARE(set(StepKind::SelectModule, u"abc.yim"_s).entry.value, u"abc.yim.YIM"_s);
    QVERIFY(!set(StepKind::SelectModule, QString(249, u'M')).line.isEmpty());
    const auto tooLong = set(StepKind::SelectModule, QString(250, u'M'));
    QCOMPARE(tooLong.message, QString(sw::ModuleNameTooLong));
    QCOMPARE(tooLong.entry.value.size(), 254); // the suffix stays in the field
    QCOMPARE(set(StepKind::SelectModule, QString(250, u' ')).message,
             QString(sw::ModuleNameTooLong));
    QCOMPARE(set(StepKind::SelectModule, u"A//B"_s).message, QString(sw::ModuleNameUnsafe));
    QCOMPARE(set(StepKind::SelectModule, u"C:MOD"_s).line, u"SelectModule , C:MOD.YIM"_s);
    QVERIFY(!set(StepKind::LoadFile, QString(248, u'F')).line.isEmpty());
    QCOMPARE(set(StepKind::LoadFile, QString(249, u'F')).message, QString(sw::FileNameTooLong));
    QCOMPARE(set(StepKind::LoadFile, u"A\tB"_s).message, QString(sw::FileNameUnsafe));
}

namespace {

// Field text as pasting can bring it: blanks, slashes, colons, tags, line breaks and other
// control characters, letters of any case and script, surrogate pairs.
QString randomText(QRandomGenerator& random)
{
    static const QStringList pieces =
        u"a|Z|0|7| |/|//|:|:(|5)|.YIM|.yim|\r|\n|\t|\x01|\x7f|\u0085|\u2028|é|中|😀"_s.split(u'|');
    // Now and then long enough to meet the length limits of the names.
    const int count = random.bounded(10) == 0 ? random.bounded(150, 190) : random.bounded(12);
    QString text;
    for (int i = 0; i < count; ++i)
        text += pieces.at(random.bounded(int(pieces.size())));
    return text;
}

const QStringList& choicesOf(StepKind kind)
{
    static const QStringList none;
    switch (kind) {
    case StepKind::Input:
        return sw::choices::inputPorts();
    case StepKind::Output:
        return sw::choices::outputPorts();
    case StepKind::DeviceFunction:
        return sw::choices::deviceFunctions();
    case StepKind::ProbeSelect:
        return sw::choices::probes();
    default:
        return none;
    }
}

// The shape of each kind's line: its body, then an optional comment part without ":".
QRegularExpression stepShape(StepKind kind)
{
    static const QString comment = u"(  // [^:]*)?$"_s;
    static const QString nameCharacter = u"(?:(?!//)[^ ])"_s; // no blank, no "//"
    switch (kind) {
    case StepKind::Input:
        return QRegularExpression(u"^Input , IN[0-4] , (ON|OFF) , [0-9]{1,5}"_s + comment);
    case StepKind::Output:
        return QRegularExpression(u"^Output , OUT[0-4] , (ON|OFF)"_s + comment);
    case StepKind::Wait:
        return QRegularExpression(u"^Wait , [0-9]{1,5}"_s + comment);
    case StepKind::DeviceFunction:
        return QRegularExpression(u"^(EPR|Program|Erase|Copy|Blank|Read)"_s + comment);
    case StepKind::SelectModule:
        return QRegularExpression(u"^SelectModule , "_s + nameCharacter + u"*\\.YIM"_s + comment);
    case StepKind::LoadFile:
        return QRegularExpression(u"^LoadFile , "_s + nameCharacter + u'+' + comment);
    case StepKind::BufferClear:
        return QRegularExpression(u"^BufferClear"_s + comment);
    default:
        return QRegularExpression(u"^(TargetProbe1|TargetProbe2|ProbeSelect)"_s + comment);
    }
}

bool holdsControlCharacters(const QString& line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
               c.category() == QChar::Separator_Paragraph;
    });
}

} // namespace

void PanelRulesTest::everyLineFromAnyFieldsIsAStep()
{
    const StepKind kinds[] = {StepKind::Input,          StepKind::Output,       StepKind::Wait,
                              StepKind::DeviceFunction, StepKind::SelectModule, StepKind::LoadFile,
                              StepKind::BufferClear,    StepKind::ProbeSelect};
    QRandomGenerator random(615);
    for (const StepKind kind : kinds) {
        const QRegularExpression shape = stepShape(kind);
        const QStringList& choices = choicesOf(kind);
        int lines = 0;
        for (int round = 0; round < 3000; ++round) {
            PanelEntry entry{choices.isEmpty() ? QString()
                                               : choices.at(random.bounded(int(choices.size()))),
                             sw::choices::levels().at(random.bounded(2)), randomText(random),
                             randomText(random)};
            const auto result = Set_Step(kind, entry, false);
            if (result.line.isEmpty())
                continue;
            ++lines;
            QVERIFY2(result.message.isEmpty(), qPrintable(result.message));
            QVERIFY2(!holdsControlCharacters(result.line), qPrintable(result.line));
            QVERIFY2(shape.match(result.line).hasMatch(), qPrintable(result.line));
            if (kind == StepKind::SelectModule || kind == StepKind::LoadFile) {
                QVERIFY(
                    result.entry.value.size() <=
                    (kind == StepKind::LoadFile ? sw::MaxFileNameLength : sw::MaxModuleNameLength));
            }
            // The number tag never eats into the line, and reads back.
            QString numbered = result.line;
            QVERIFY(sw::Set_Step_Number(numbered, 256).isEmpty());
            QVERIFY2(numbered.startsWith(result.line), qPrintable(numbered));
            int number = 0;
            QVERIFY(sw::Get_Step_Number(numbered, number).isEmpty());
            QCOMPARE(number, 256);
            // And the file reader takes it back.
            QVERIFY2(sw::Check_Script_Line(numbered), qPrintable(numbered));
        }
        QVERIFY(lines > 100);
    }
}

QTEST_APPLESS_MAIN(PanelRulesTest)
#include "test_panel_rules.moc"
