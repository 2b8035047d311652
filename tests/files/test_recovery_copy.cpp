#include "files/recovery_copy.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

namespace {

// A full Normal mode flow whose lines hold every UTF-16 code unit between them, lone
// surrogates, CR and NUL included; a short Error mode flow; a saved copy of its own.
RecoveryContent everyCharacter()
{
    RecoveryContent content;
    content.filePath = u"/work/Plant 2/Line\r1.scp"_s;
    content.time = QDateTime(QDate(2026, 12, 6), QTime(12, 34, 56, 789), Qt::UTC);
    for (int slot = 0; slot < MaxFlowLines; ++slot) {
        QString line;
        for (int unit = slot * 255; unit < (slot + 1) * 255 && unit <= 0xFFFF; ++unit)
            line += QChar(char16_t(unit));
        content.working.flows[0][slot] = line;
    }
    content.working.flows[1] = {u"(Start)"_s, u"(End)"_s};
    content.saved.flows[0] = {u"(Start)"_s, u"Wait , 1  //:(1)"_s, u"(End)"_s};
    content.saved.flows[1] = {u"(Start)"_s, u"(End)"_s};
    return content;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class RecoveryCopyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsEveryLineExactly()
    {
        const RecoveryContent content = everyCharacter();
        const QByteArray bytes = encodeRecovery(content);
        const std::optional<RecoveryContent> back = decodeRecovery(bytes);
        QVERIFY(back);
        QVERIFY(back->working.flows == content.working.flows);
        QVERIFY(back->saved.flows == content.saved.flows);
        QCOMPARE(back->filePath, content.filePath);
        QCOMPARE(back->time, content.time);

        // A copy cut anywhere, or with anything behind it, is no copy.
        RecoveryContent small;
        small.working.flows[0] = {u"(Start)"_s, u"(End)"_s};
        const QByteArray whole = encodeRecovery(small);
        for (qsizetype size = 0; size < whole.size(); ++size)
            QVERIFY2(!decodeRecovery(whole.first(size)), qPrintable(QString::number(size)));
        QVERIFY(!decodeRecovery(whole + '\0'));
    }

    // A copy is offered only once its editor no longer holds it, to one editor at a time,
    // and goes with its lock.
    void runningEditorsCopyIsNeverTaken()
    {
        QTemporaryDir folder;
        const QString copies = folder.filePath(u"data/stepwright"_s);
        auto running = RecoveryCopy::create(copies);
        QCOMPARE(running->write(everyCharacter()), ErrorText());
        running->remove();
        QVERIFY(filesIn(copies).isEmpty());
        QCOMPARE(running->write(everyCharacter()), ErrorText());
        QVERIFY(RecoveryCopy::claimLeft(copies).empty());

        running.reset();
        auto left = RecoveryCopy::claimLeft(copies);
        QCOMPARE(left.size(), 1u);
        QVERIFY(RecoveryCopy::claimLeft(copies).empty());
        QCOMPARE(left[0]->read()->filePath, everyCharacter().filePath);
        left[0]->remove();
        QVERIFY(filesIn(copies).isEmpty());
    }
};

QTEST_APPLESS_MAIN(RecoveryCopyTest)
#include "test_recovery_copy.moc"
