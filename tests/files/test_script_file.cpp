#include "../../fuzz/script_input.h"
#include "files/code_page.h"
#include "files/script_file.h"
#include "script/numbering.h"
#include "steps/choices.h"
#include "steps/step_line.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray NewScriptFile = "(Start)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n";

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Text of random Windows-1252 characters, none of them CR, LF or one of refused, and never
// two slashes in a row.
QString randomText(QRandomGenerator& random, qsizetype length, QStringView refused)
{
    QString text;
    while (text.size() < length) {
        const char byte = static_cast<char>(random.bounded(1, 256));
        const QChar c = sw::codepage::decode(QByteArrayView(&byte, 1)).at(0);
        if (c == u'\r' || c == u'\n' || refused.contains(c) || (c == u'/' && text.endsWith(u'/')))
            continue;
        text += c;
    }
    return text;
}

// A step as a panel composes it, with random values in the ranges the panels allow.
QString randomStep(QRandomGenerator& random)
{
    using namespace sw::choices;
    const auto pick = [&](const QStringList& entries) {
        return entries.at(random.bounded(entries.size()));
    };
    const auto number = [&] { return QString::number(random.bounded(100000)); };
    const auto name = [&](int longest) {
        return randomText(random, random.bounded(4) ? random.bounded(1, 20) : longest, u" ");
    };
    const QString bodies[] = {
        sw::inputBody(pick(inputPorts()), pick(levels()), number()),
        sw::outputBody(pick(outputPorts()), pick(levels())),
        sw::waitBody(number()),
        pick(deviceFunctions()),
        sw::selectModuleBody(name(249) + u".YIM"_s),
        sw::loadFileBody(name(248)),
        sw::BufferClearBody,
        pick(probes()),
    };
    const QString comment =
        random.bounded(2) ? randomText(random, random.bounded(40), u":") : QString();
    return sw::composeStepLine(bodies[random.bounded(8)], comment);
}

// Runs a write in a child process that may not make a file longer than a few bytes; true
// when the write reported a failure there.
bool writeFailsUnderFileSizeLimit(const sw::ScriptStore& store, const QString& path)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(sw::Write_Script_File(store, path).isEmpty() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestScriptFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readScript_data();
    void readScript();
    void unreadableFile();
    void writeFailureKeepsFormerFile_data();
    void writeFailureKeepsFormerFile();
    void codePage();
    void randomScriptsRoundTrip();
    void fuzzRegressions();
};

void TestScriptFile::readScript_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("faultLine");    // 0: the file loads
    QTest::addColumn<QByteArray>("saved"); // what the working copy then saves

    const auto row = [](const char* tag, const QByteArray& file, int faultLine,
                        const QByteArray& saved = NewScriptFile) {
        QTest::newRow(tag) << file << faultLine << saved;
    };
    const QByteArray example = "(Start)\r\nInput , IN0 , ON , 100  //:(1)\r\n(start)\r\n"
                               "// note: x\r\nProgram  //:(2)\r\n(End)\r\n-\r\n"
                               "(Start)\r\nOutput , OUT1 , ON  //:(1)\r\n(End)\r\n-\r\n";
    const QByteArray fullFlow = "(Start)\r\n" + QByteArray("BufferClear\r\n").repeated(256);

    row("new script", NewScriptFile, 0);
    row("steps, comment and (Start) inside a flow", example, 0, example);
    row("closing separator missing", NewScriptFile.chopped(3), 0);
    row("lone LF, last line without its end", "(Start)\n(End)\r\n-\n(Start)\n(End)\n-", 0);
    row("letter case kept", "(start)\r\n(END)\r\n-\r\n(START)\r\n(end)\r\n", 0,
        "(start)\r\n(END)\r\n-\r\n(START)\r\n(end)\r\n-\r\n");
    row("258 lines", fullFlow + "(End)\r\n-\r\n" + fullFlow + "(End)\r\n", 0,
        fullFlow + "(End)\r\n-\r\n" + fullFlow + "(End)\r\n-\r\n");

    row("empty file", "", 1);
    row("separator first", "-\r\n", 1);
    row("no (Start)", "Wait , 5\r\n(End)\r\n-\r\n", 1);
    row("lone CR is no line end", "(Start)\r(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n", 1);
    row("separator after (Start)", "(Start)\r\n-\r\n", 2);
    row("empty line inside a flow", "(Start)\r\n\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n", 2);
    row("step after (End)", "(Start)\r\n(End)\r\nWait , 10  //:(1)\r\n-\r\n", 3);
    row("separator with a blank", "(Start)\r\n(End)\r\n- \r\n(Start)\r\n(End)\r\n-\r\n", 3);
    row("no separator", "(Start)\r\n(End)\r\n", 3);
    row("ends inside a flow", "(Start)\r\nWait , 5\r\n", 3);
    row("ends after the first separator", "(Start)\r\n(End)\r\n-\r\n", 4);
    row("259 lines", fullFlow + "BufferClear\r\n(End)\r\n-\r\n" + NewScriptFile, 259);
    row("empty line after the last separator", NewScriptFile + "\r\n", 7);
    row("a third flow", NewScriptFile + "(Start)\r\n(End)\r\n-\r\n", 7);
}

void TestScriptFile::readScript()
{
    QFETCH(QByteArray, file);
    QFETCH(int, faultLine);
    QFETCH(QByteArray, saved);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"script.scp"_s);
    writeBytes(path, file);
    // A full script loaded before: nothing of it may survive the read in either copy.
    sw::ScriptDocument document;
    for (int f = 0; f < sw::FlowCount; ++f) {
        document.store().flows[f].fill(u"EPR"_s);
        document.saved().flows[f].fill(u"EPR"_s);
    }

    const sw::ReadResult result = sw::Read_Script_File(document, path);
    QCOMPARE(result.faultLine, faultLine);
    QCOMPARE(result.resetEntryPanels, faultLine > 0);
    QCOMPARE(result.error, faultLine > 0 ? sw::FormatErrorMessage : QString());
    QCOMPARE(sw::serialiseScript(document.store()).bytes, saved);
    for (int f = 0; f < sw::FlowCount; ++f) {
        const auto& store = document.store().flows[f];
        QVERIFY(std::equal(store.begin(), store.end() - 1, document.saved().flows[f].begin()));
        QVERIFY(store.back().isEmpty());
    }
    if (faultLine > 0)
        QCOMPARE(document.view().count(), 3); // the new script's Normal mode flow is shown
}

void TestScriptFile::unreadableFile()
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath(u"missing.scp"_s), dir.path()}) {
        sw::ScriptDocument document;
        const sw::ReadResult result = sw::Read_Script_File(document, path);
        QVERIFY(!result.error.isEmpty() && result.error != sw::FormatErrorMessage);
        QVERIFY(result.resetEntryPanels);
        QCOMPARE(sw::serialiseScript(document.store()).bytes, NewScriptFile);
    }
}

void TestScriptFile::writeFailureKeepsFormerFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("unencodable character") << u"unencodable"_s;
    QTest::newRow("file size limit") << u"size limit"_s;
    QTest::newRow("target is a folder") << u"folder"_s;
    QTest::newRow("folder does not exist") << u"missing folder"_s;
}

void TestScriptFile::writeFailureKeepsFormerFile()
{
    QFETCH(QString, failure);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"script.scp"_s);
    sw::ScriptDocument document;
    document.New_Script();
    QCOMPARE(sw::Write_Script_File(document.store(), path), QString());
    QCOMPARE(readBytes(path), NewScriptFile);

    // A longer script replaces the new one in the working copy, then its write fails.
    auto& flow = document.store().flows[1];
    for (int slot = 1; slot <= 20; ++slot)
        flow[slot] = u"Wait , %1  // step:(%1)"_s.arg(slot);
    flow[21] = u"(End)"_s;
    QStringList expectedEntries{u"script.scp"_s};
    bool failed = false;
    if (failure == u"unencodable"_s) {
        flow[3] = u"Wait , 3  // up \u2192 down \U0001F600:(3)"_s;
        const sw::ErrorText error = sw::Write_Script_File(document.store(), path);
        QVERIFY2(error.contains(u"Line 4 of the Error mode flow"_s) &&
                     error.contains(u"\u2192"_s) && error.contains(u"U+2192"_s),
                 qPrintable(error));
        failed = !error.isEmpty();
    } else if (failure == u"size limit"_s) {
        failed = writeFailsUnderFileSizeLimit(document.store(), path);
    } else if (failure == u"folder"_s) {
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        expectedEntries.prepend(u"folder"_s);
        failed = !sw::Write_Script_File(document.store(), dir.filePath(u"folder"_s)).isEmpty();
    } else {
        failed =
            !sw::Write_Script_File(document.store(), dir.filePath(u"no/script.scp"_s)).isEmpty();
    }
    QVERIFY(failed);
    QCOMPARE(readBytes(path), NewScriptFile);
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             expectedEntries);
}

void TestScriptFile::codePage()
{
    const QList<std::pair<unsigned char, char16_t>> samples{
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
        {0x92, u'\u2019'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'},
    };
    for (const auto& [byte, character] : samples) {
        const char c = static_cast<char>(byte);
        QCOMPARE(sw::codepage::decode(QByteArrayView(&c, 1)), QString(QChar(character)));
    }
    // U+0080 is no byte of its own: 0x80 is the euro sign.
    QByteArray bytes;
    QCOMPARE(sw::codepage::appendEncoded(u"ab\u0080", bytes), 2);
    QCOMPARE(bytes, "ab");

    // Every byte but CR and LF, in a comment line, loads and saves back unchanged.
    QByteArray everyByte;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyByte += static_cast<char>(byte);
    }
    const QByteArray file =
        "(Start)\r\n// " + everyByte + "\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n";
    QTemporaryDir dir;
    writeBytes(dir.filePath(u"in.scp"_s), file);
    sw::ScriptDocument document;
    QCOMPARE(sw::Read_Script_File(document, dir.filePath(u"in.scp"_s)).error, QString());
    QCOMPARE(sw::Write_Script_File(document.store(), dir.filePath(u"out.scp"_s)), QString());
    QCOMPARE(readBytes(dir.filePath(u"out.scp"_s)), file);
}

void TestScriptFile::randomScriptsRoundTrip()
{
    QRandomGenerator random(61502);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"round.scp"_s);
    for (int round = 0; round < 30; ++round) {
        sw::ScriptDocument written;
        for (auto& flow : written.store().flows) {
            // The first round fills both flows to the last line.
            const int lines = round == 0 ? sw::MaxFlowLines - 2 : random.bounded(30);
            int slot = 0;
            int number = 0;
            flow[slot++] = u"(Start)"_s;
            while (slot <= lines) {
                QString line;
                if (random.bounded(10) == 0) {
                    line = u"//"_s + randomText(random, random.bounded(20), {});
                } else {
                    line = randomStep(random);
                    QCOMPARE(sw::Set_Step_Number(line, ++number), QString());
                }
                flow[slot++] = line;
            }
            flow[slot] = u"(End)"_s;
        }
        QCOMPARE(sw::Write_Script_File(written.store(), path), QString());

        sw::ScriptDocument read;
        const sw::ReadResult result = sw::Read_Script_File(read, path);
        QVERIFY2(result.error.isEmpty(),
                 qPrintable(u"line %1: %2"_s.arg(result.faultLine).arg(result.faultReason)));
        QVERIFY(read.store().flows == written.store().flows);
        QVERIFY(!read.Is_Script_Changed());
        // Open numbers the steps again; a script the editor wrote comes out unchanged.
        QCOMPARE(sw::Number_All_Steps(read.store()), QString());
        QVERIFY(!read.Is_Script_Changed());
    }
}

void TestScriptFile::fuzzRegressions()
{
    const QDir dir(QStringLiteral(STEPWRIGHT_TEST_DATA "/fuzz-regressions"));
    const QStringList names = dir.entryList(QDir::Files);
    QVERIFY(!names.isEmpty());
    for (const QString& name : names)
        QVERIFY2(exerciseScriptInput(readBytes(dir.filePath(name))).isEmpty(), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestScriptFile)
#include "test_script_file.moc"
