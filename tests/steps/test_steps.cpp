#include "files/line_checks.h"
#include "script/numbering.h"
#include "steps/choices.h"
#include "steps/key_filters.h"
#include "steps/panel_fill.h"
#include "steps/panel_rules.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

namespace {

// What a field holds after these keys were typed into it through a filter.
template <typename Filter> QString typeInto(const QString& keys, Filter filter)
{
    QString field;
    for (QChar key : keys) {
        char16_t code = key.unicode();
        if (const char16_t received = filter(code); received != 0)
            field += QChar(received);
    }
    return field;
}

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

// A fill as "position|...|text|...", in the order it was filled.
QString filled(const PanelFill& fill)
{
    QStringList parts;
    for (const ChoiceFill& choice : fill.choices)
        parts << QString::number(choice.position);
    for (const TextFill& text : fill.texts)
        parts << text.text;
    return parts.join(u'|');
}

} // namespace

class StepsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyFiltersAndNumberFields();
    void classificationAndKeywords();
    void setChecksAndAdjusts();
    void everyStepLoadsBackWithItsValues();
    void oddLinesLoadBack();
};

void StepsTest::keyFiltersAndNumberFields()
{
    QCOMPARE(typeInto(u"a:b / c"_s, Comment_Key_Filter), u"ab / c"_s);
    QCOMPARE(typeInto(u"1x2 .-+"_s, Digit_Key_Filter), u"12"_s);
    QCOMPARE(typeInto(u"xyz.yim_1 é:"_s, Upper_Case_Key_Filter), u"XYZ.YIM_1 é:"_s);
    // The reference argument follows the result; Backspace still reaches the field.
    char16_t code = u'x';
    QCOMPARE(Digit_Key_Filter(code), char16_t(0));
    QCOMPARE(code, char16_t(0));
    QCOMPARE(typeInto(u"1\b"_s, Digit_Key_Filter), u"1\b"_s);

    // A sign or decimal point would make a line the reader refuses; no run of digits overflows.
    const QStringList numbers = u"00250>250|00000>0|>|12ab>12|ab>0| 1 2>12|-5>0|1.5>1|"
                                "99999999999999999999999>99999999999999999999999"_s.split(u'|');
    for (const QString& row : numbers)
        QCOMPARE(Normalise_Number_Field(row.section(u'>', 0, 0)), row.section(u'>', 1));
}

// The prefixes that share letters or look alike are where classification goes wrong.
void StepsTest::classificationAndKeywords()
{
    // The lines, then their kinds in the same order; the last three read as upper-cased.
    const QStringList lines = u"input,in0,on,5|PROGRAM  //:(1)|Programs|ProbeSelect  //:(9)|Pr|"
                              "erase|TargetProbe1|bufferclear|I||\u0131nput , IN0 , ON , 5|"
                              "\u017Felectmodule|\uFB06"_s.split(u'|');
    using enum StepKind;
    const QList<StepKind> kinds{Input,       DeviceFunction, DeviceFunction, ProbeSelect,
                                ProbeSelect, DeviceFunction, ProbeSelect,    BufferClear,
                                None,        None,           Input,          SelectModule,
                                None};
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(classifyStep(lines[i]) == kinds.value(i), qPrintable(lines[i]));
    QVERIFY(isStartLine(u"(start)"_s) && isEndLine(u"(eNd)"_s) && !isEndLine(u"(End) "_s));
    QVERIFY(!isNumberedLine(u"//"_s) && isNumberedLine(u" // x"_s));

    // Keywords are recognised without upper-casing whole lines, yet answer exactly as
    // upper-casing would: also for characters that upper-case into ASCII letters ("\u017F" long
    // s, "\u0131" dotless i) or into several of them ("\uFB06" st), and for lines longer or
    // shorter than the keyword.
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
}

void StepsTest::setChecksAndAdjusts()
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
    // A pasted comment keeps its ":" and loses its line breaks.
    QCOMPARE(set(StepKind::Wait, u"5"_s, u"x:y\n"_s).line, u"Wait , 5  // x:y "_s);

    // Names: the suffix, the length limits, then what would not read back.
    QCOMPARE(set(StepKind::SelectModule, u"abc.yim"_s).entry.value, u"abc.yim"_s);
    QVERIFY(!set(StepKind::SelectModule, QString(249, u'M')).line.isEmpty());
    const auto tooLong = set(StepKind::SelectModule, QString(250, u'M'));
    QCOMPARE(tooLong.message, QString(ModuleNameTooLong));
    QCOMPARE(tooLong.entry.value.size(), 254); // the suffix stays in the field
    QCOMPARE(set(StepKind::SelectModule, QString(250, u' ')).message, QString(ModuleNameTooLong));
    QCOMPARE(set(StepKind::SelectModule, u"A//B"_s).message, QString(ModuleNameUnsafe));
    QCOMPARE(set(StepKind::SelectModule, u"C:MOD"_s).line, u"SelectModule , C:MOD.YIM"_s);
    QVERIFY(!set(StepKind::LoadFile, QString(248, u'F')).line.isEmpty());
    QCOMPARE(set(StepKind::LoadFile, QString(249, u'F')).message, QString(FileNameTooLong));
    QCOMPARE(set(StepKind::LoadFile, u"A\tB"_s).message, QString(FileNameUnsafe));
}

// Every line Set makes from random field texts, and every step line as a file written
// elsewhere may hold it (any letter case and spacing, comments with ":", "//" and text like a
// tag, numbered as Open numbers it), passes the line checks and loads back with its values;
// set again from the panel and tagged, it loads back with them once more. A number tag never
// eats into the line, neither when given nor when given anew.
void StepsTest::everyStepLoadsBackWithItsValues()
{
    static const QRegularExpression Controls(u"[\\p{Cc}\\p{Zl}\\p{Zp}]"_s);
    QRandomGenerator random(615);
    const auto pick = [&](const QStringList& from) {
        return from.isEmpty() ? QString() : from.at(random.bounded(int(from.size())));
    };
    const auto anyCase = [&](const QString& word) {
        QString mixed;
        for (const QChar c : word)
            mixed += random.bounded(2) ? c.toLower() : c.toUpper();
        return mixed;
    };
    const auto blanks = [&] { return QString(random.bounded(3), u' '); };
    const auto pieces = [&](const QString& from, int most) {
        const QStringList all = from.split(u'|');
        QString text;
        for (int n = random.bounded(1, most); n > 0; --n)
            text += pick(all);
        return text;
    };
    const QStringList none;
    for (const auto& [kind, choices, levelled, valued] :
         {std::tuple{StepKind::Input, choices::inputPorts(), true, true},
          {StepKind::Output, choices::outputPorts(), true, false},
          {StepKind::Wait, none, false, true},
          {StepKind::DeviceFunction, choices::deviceFunctions(), false, false},
          {StepKind::SelectModule, none, false, true},
          {StepKind::LoadFile, none, false, true},
          {StepKind::BufferClear, none, false, false},
          {StepKind::ProbeSelect, choices::probes(), false, false}}) {
        const auto loadsBack = [&](const QString& line, const PanelEntry& entry) {
            QStringList expected;
            if (!choices.isEmpty())
                expected << QString::number(choices.indexOf(entry.choice));
            if (levelled)
                expected << QString::number(choices::levels().indexOf(entry.level));
            if (valued)
                expected << entry.value;
            expected << entry.comment;
            const PanelFill fill = Fill_Step_Panel(line);
            return Check_Script_Line(line) && fill.ok && fill.kind == kind &&
                   filled(fill) == expected.join(u'|');
        };
        int lines = 0;
        for (int round = 0; round < 3000; ++round) {
            const QString level = levelled ? pick(choices::levels()) : QString();
            const PanelEntry entry{pick(choices), level, valued ? randomText(random) : QString(),
                                   randomText(random)};
            const SetResult set = Set_Step(kind, entry, false);
            if (!set.line.isEmpty()) {
                ++lines;
                QVERIFY2(set.message.isEmpty(), qPrintable(set.message));
                QString line = set.line;
                QVERIFY(Tag_New_Step(line, 256).isEmpty());
                QVERIFY2(loadsBack(line, set.entry), qPrintable(line));
                QVERIFY2(!line.contains(Controls), qPrintable(line));
                QString renumbered = line; // ends in ":(256)"
                QVERIFY(Set_Step_Number(renumbered, 7).isEmpty() &&
                        renumbered == line.chopped(4) + u"7)"_s);
                Remove_Step_Number(renumbered);
                QVERIFY(Tag_New_Step(renumbered, 256).isEmpty() && renumbered == line);
            }

            // The body as Set makes it, then loosened as the line checks allow.
            PanelEntry values{pick(choices), level, {}, {}};
            if (kind == StepKind::Input || kind == StepKind::Wait)
                values.value = pieces(u"0|1|9"_s, 6);
            else if (valued)
                values.value = pieces(u"A|z|9|:|.|_|A/B|(3)"_s, 7) +
                               (kind == StepKind::SelectModule ? anyCase(u".yim"_s) : QString());
            const SetResult body = Set_Step(kind, values, false);
            values = body.entry;
            QStringList fields = body.line.split(" , "_L1);
            for (qsizetype i = 0; i < fields.size(); ++i) {
                if (!valued || i + 1 < fields.size())
                    fields[i] = anyCase(fields[i]);
                if (levelled && i == 1)
                    fields[i].insert(fields[i].size() - 1, blanks());
            }
            QString read = fields.join(blanks() + u',' + blanks()) + blanks();
            if (random.bounded(3) != 0) {
                const QString comment =
                    blanks() + pieces(u"a|Z| |:|//|:(|(4|:(7) x|é"_s, 8) + blanks();
                values.comment = comment.startsWith(u' ') ? comment.sliced(1) : comment;
                read += "//"_L1 + comment;
                if (random.bounded(2) != 0) // taken for an old number tag, and replaced
                    read += u":(%1)"_s.arg(random.bounded(1000));
            }
            QVERIFY2(Check_Script_Line(read), qPrintable(read));
            QVERIFY(Set_Step_Number(read, random.bounded(1, 257)).isEmpty());
            QVERIFY2(loadsBack(read, values), qPrintable(read));
            QString again = Set_Step(kind, values, false).line;
            QVERIFY(Tag_New_Step(again, 12).isEmpty());
            QVERIFY2(loadsBack(again, values), qPrintable(again));
        }
        QVERIFY(lines > 100);
    }
}

// Lines as Open takes them fill their true values; a line the checks refuse fills nothing.
void StepsTest::oddLinesLoadBack()
{
    QRandomGenerator random(615);
    for (const auto& [line, ok, fields] :
         {std::tuple{u"input,in0,on,5"_s, true, u"0|0|5|"_s},
          {u"Input , IN1 , on , 5"_s, true, u"1|0|5|"_s},
          {u"INPUT  ,  IN 3 ,OFF,  12345// x"_s, true, u"3|1|12345|x"_s},
          {u"Input , IN5 , ON , 5  //:(1)"_s, false, QString()},
          {u"LoadFile , C:A/B.HEX  // x:(3) y:(8)"_s, true, u"C:A/B.HEX|x:(3) y"_s},
          {u"Wait , 7  // a:b"_s, true, u"7|a:b"_s},
          {u"program//  x:(6)"_s, true, u"1| x"_s},
          {u"// a:(3)"_s, true, QString()},
          {u"Hello"_s, false, QString()}}) {
        const PanelFill fill = Fill_Step_Panel(line);
        QVERIFY2(fill.ok == ok && filled(fill) == fields, qPrintable(line));

        // Every cut of the line and odd text behind its start load back exactly when the checks
        // take them, and never read past the end (the sanitizers and Qt's checks watch).
        const QString alphabet = u" ,/:()0123456789INOFinof"_s;
        for (int round = 0; round < 300 + line.size(); ++round) {
            QString odd = line.left(round < line.size() ? round : 2 + random.bounded(14));
            for (int n = round < line.size() ? 0 : random.bounded(30); n > 0; --n)
                odd += alphabet.at(random.bounded(alphabet.size()));
            const PanelFill oddFill = Fill_Step_Panel(odd);
            QVERIFY2(oddFill.ok == Check_Script_Line(odd) &&
                         (oddFill.ok || oddFill.choices.size() + oddFill.texts.size() == 0),
                     qPrintable(odd));
        }
    }
    QString comment = u"// a:(3)"_s;
    Remove_Step_Number(comment); // a comment line carries no number
    QCOMPARE(comment, u"// a:(3)"_s);
}

QTEST_APPLESS_MAIN(StepsTest)
#include "test_steps.moc"
