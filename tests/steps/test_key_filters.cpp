#include "steps/key_filters.h"

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
} // namespace

class KeyFiltersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filtersPassOnlyWhatTheFieldMayHold()
    {
        QCOMPARE(typeInto(u"a:b / c"_s, Comment_Key_Filter), u"ab / c"_s);
        QCOMPARE(typeInto(u"1x2 .-+"_s, Digit_Key_Filter), u"12"_s);
        QCOMPARE(typeInto(u"abc.yim"_s, Upper_Case_Key_Filter), u"ABC.YIM"_s);
        QCOMPARE(typeInto(u"Ab_1 é:"_s, Upper_Case_Key_Filter), u"AB_1 é:"_s);

        // The reference argument follows the result; Backspace still reaches the field.
        char16_t code = u'x';
        QCOMPARE(Digit_Key_Filter(code), char16_t(0));
        QCOMPARE(code, char16_t(0));
        QCOMPARE(typeInto(u"1\b"_s, Digit_Key_Filter), u"1\b"_s);
    }

    void normaliseNumberField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading zeros") << u"00250"_s << u"250"_s;
        QTest::newRow("all zeros") << u"00000"_s << u"0"_s;
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("pasted digits and letters") << u"12ab"_s << u"12"_s;
        QTest::newRow("no number") << u"ab"_s << u"0"_s;
        QTest::newRow("blanks") << u" 1 2"_s << u"12"_s;
        // A sign or decimal point would make a line the reader refuses.
        QTest::newRow("sign") << u"-5"_s << u"0"_s;
        QTest::newRow("decimal") << u"1.5"_s << u"1"_s;
        QTest::newRow("huge") << u"99999999999999999999999"_s << u"99999999999999999999999"_s;
    }

    void normaliseNumberField()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Normalise_Number_Field(text), expected);
    }
};

QTEST_APPLESS_MAIN(KeyFiltersTest)
#include "test_key_filters.moc"
