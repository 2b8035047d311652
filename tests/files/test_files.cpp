#include "../../fuzz/script_input.h"
#include "files/code_page.h"
#include "files/file_paths.h"
#include "files/file_stamp.h"
#include "files/line_checks.h"
#include "files/recovery_copy.h"
#include "files/regular_file.h"
#include "files/script_file.h"
#include "files/step_text.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>
#include <tuple>
#ifndef Q_OS_WIN // pipes, links, owners and signals: what only POSIX systems have
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QByteArray NewScriptFile = "(Start)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n";

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// A full Normal mode flow whose lines hold every UTF-16 code unit between them, lone
// surrogates, CR and NUL included; a short Error mode flow; a saved copy of its own.
sw::RecoveryContent everyCharacter()
{
    sw::RecoveryContent content;
    content.filePath = u"/work/Plant 2/Line\r1.scp"_s;
    content.time = QDateTime(QDate(2026, 12, 6), QTime(12, 34, 56, 789), Qt::UTC);
    for (int slot = 0; slot < sw::MaxFlowLines; ++slot) {
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

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

// The script file, its lines and paths, and the recovery copy.
class TestFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each file; the line of its fault (0: it loads; -1: there is no file); what is then saved
    // (empty: a new script).
    void readScript()
    {
        QByteArray everyByte; // CR and LF become blanks
        for (int byte = 0; byte <= 0xFF; ++byte)
            everyByte += byte == '\r' || byte == '\n' ? ' ' : static_cast<char>(byte);
        const QByteArray script = "(start)\r\nInput , IN0 , ON , 100  //:(1)\r\n(START)\r\n// " +
                                  everyByte + "\r\nProgram  //:(2)\r\n(END)\r\n-\r\n" +
                                  "(Start)\r\nOutput , OUT1 , ON  //:(1)\r\n(end)\r\n-\r\n";
        const QByteArray fullFlow =
            "(Start)\r\n" + QByteArray("BufferClear\r\n").repeated(256) + "(End)\r\n-\r\n";
        for (const auto& [tag, file, faultLine, saved] :
             {std::tuple{"steps, every byte in a comment, letter case kept", script, 0, script},
              {"lone LF, no last line end", "(Start)\n(End)\r\n-\n(Start)\n(End)", 0, {}},
              {"258 lines", fullFlow + fullFlow, 0, fullFlow + fullFlow},
              {"no file", {}, -1, {}},
              {"empty file", "", 1, {}},
              {"separator first", "-\r\n", 1, {}},
              {"no (Start)", "Wait , 5\r\n(End)\r\n-\r\n", 1, {}},
              {"lone CR is no line end", "(Start)\r(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n", 1, {}},
              {"separator after (Start)", "(Start)\r\n-\r\n", 2, {}},
              {"empty line inside a flow", "(Start)\r\n\r\n(End)\r\n-\r\n", 2, {}},
              {"step after (End)", "(Start)\r\n(End)\r\nWait , 10  //:(1)\r\n-\r\n", 3, {}},
              {"separator with a blank", "(Start)\r\n(End)\r\n- \r\n", 3, {}},
              {"no separator", "(Start)\r\n(End)\r\n", 3, {}},
              {"ends after the first separator", "(Start)\r\n(End)\r\n-\r\n", 4, {}},
              {"ends inside a flow", "(Start)\r\n(End)\r\n-\r\n(Start)\r\nWait , 5\r\n", 6, {}},
              {"empty line after the last separator", NewScriptFile + "\r\n", 7, {}},
              {"a third flow", NewScriptFile + "(Start)\r\n(End)\r\n-\r\n", 7, {}},
              {"259 lines", fullFlow.chopped(10) + "BufferClear\r\n(End)\r\n-\r\n", 259, {}}}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"script.scp"_s);
            if (faultLine >= 0)
                QVERIFY(writeBytes(path, file));
            // A full script loaded before: nothing of it may survive the read in either copy.
            sw::ScriptDocument document;
            for (int f = 0; f < sw::FlowCount; ++f)
                document.store().flows[f].fill(u"EPR"_s), document.saved().flows[f].fill(u"EPR"_s);

            const sw::ReadResult result = sw::Read_Script_File(document, path);
            const auto row = [tag](auto value) { return std::pair(QLatin1StringView(tag), value); };
            QCOMPARE(row(result.fault.line), row(qMax(faultLine, 0)));
            QCOMPARE(row(result.resetEntryPanels), row(faultLine != 0));
            QCOMPARE(row(result.error.isEmpty() + 2 * (result.error == sw::FormatErrorMessage)),
                     row((faultLine == 0) + 2 * (faultLine > 0)));
            QCOMPARE(row(sw::serialiseScript(document.store()).bytes),
                     row(saved.isEmpty() ? NewScriptFile : saved));
            QVERIFY(!document.Is_Script_Changed());
            for (const auto& flow : document.store().flows)
                QVERIFY(flow.back().isEmpty()); // a full flow stays ended

            // The checker finds what Open finds, in the buffers the row before left it.
            static sw::ScriptFileChecker checker;
            const sw::ReadResult checked = checker.check(QFile::encodeName(path));
            QCOMPARE(checked.fault.line, result.fault.line);
            QCOMPARE(checked.fault.reason + checked.error, result.fault.reason + result.error);
        }
    }

    // A format error says where it stands, and tells a file from an editor that saved UTF-8.
    void formatErrorsNameTheFault()
    {
        const QByteArray steps = "(Start)\r\n// note\r\nEPR\r\n";
        for (const auto& [bytes, detail] : std::initializer_list<std::pair<QByteArray, QString>>{
                 {"\xEF\xBB\xBF" + NewScriptFile,
                  u"Line 1 (Normal mode flow, step 1): the file begins with a UTF-8 byte-order "
                  "mark: save it as Windows-1252\r\n\"\u00EF\u00BB\u00BF(Start)\""_s},
                 {NewScriptFile.first(19) + steps +
                      "Wait ,\xC2\xA0"
                      "5\r\n",
                  u"Line 7 (Error mode flow, step 2): the time must be 1 to 5 digits, not "
                  "\"\u00C2\u00A05\"; the line holds UTF-8 text: save the file as Windows-1252"
                  "\r\n\"Wait ,\u00C2\u00A05\""_s},
                 {steps + "// " + QByteArray(100, 'x') + "\rx\r\nWait\r\n",
                  u"Line 5 (Normal mode flow, step 2): a field is missing at the end of the "
                  u"line\r\n"
                  "\"Wait\""_s},
                 {steps + "BufferClear\r\n" + QByteArray("// x\r\n").repeated(254) + "Read\r\n",
                  u"Line 259 (Normal mode flow, step 3): the flow holds more than 258 lines, "
                  "counting (Start), (End) and comment lines: at most 256 steps\r\n\"Read\""_s},
                 {NewScriptFile + "x",
                  u"Line 7: nothing may follow the second separator\r\n\"x\""_s}}) {
            const sw::ScriptParse parse = sw::parseScript(bytes);
            QCOMPARE(sw::faultDetail(parse.fault), detail);
        }
        // A long line is quoted by its ends, and a control character in it cannot break the box.
        sw::FormatFault fault{3, u"r"_s, -1, 0, u"\r"_s + QString(100, u'x') + u"\nend"_s};
        QCOMPARE(sw::faultDetail(fault), u"Line 3: r\r\n\"\uFFFD"_s + QString(38, u'x') +
                                             u"\u2026"_s + QString(36, u'x') + u"\uFFFDend\""_s);
    }

    void failedWriteKeepsFormerFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"script.scp"_s);
        sw::ScriptDocument document;
        document.New_Script();
        QCOMPARE(sw::Write_Script_File(document.store(), path).error, QString());

        // A longer script fails to replace it: in a folder that does not exist, and with a
        // character the code page lacks.
        auto& flow = document.store().flows[1];
        flow[1] = u"Wait , 10  // longer than the new script:(1)"_s;
        flow[2] = u"(End)"_s;
        QVERIFY(!sw::Write_Script_File(document.store(), dir.filePath(u"no/script.scp"_s))
                     .error.isEmpty());
        flow[1] = u"Wait , 10  // up \u0080 \u2192:(1)"_s;
        const sw::ErrorText error = sw::Write_Script_File(document.store(), path).error;
        QVERIFY2(error.contains(
                     u"Step 1 of the Error mode flow holds the character \"\u0080\" (U+0080)"_s),
                 qPrintable(error));
        QCOMPARE(readBytes(path), NewScriptFile);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"script.scp"_s});
    }

    void readsWhatIsThereUpToTheLimit()
    {
#ifdef Q_OS_WIN
        // Reserved names are devices, and a folder no file: refused at once.
        QByteArray bytes;
        for (const char* name : {"NUL", "CON", "COM1", "."})
            QVERIFY2(!sw::readRegularFile(name, 1000, u"past"_s, bytes).isEmpty(), name);
        QSKIP("pipes that stand in for files that wait, and /proc, are POSIX only");
#else
        // Pipes stand in for files that say they are regular, of the size given, but make a read
        // wait, as /proc/kmsg does, or never end: the read neither waits nor goes past the limit.
        const QString past = u"past"_s;
        QByteArray bytes;
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        ::alarm(20); // a read that waits ends the test
        QCOMPARE(::write(ends[1], "abc", 3), 3);
        QCOMPARE(sw::readToEnd({ends[0], 0, {}}, 3, past, bytes),
                 u"Waits when read, not a regular file"_s);
        // More at hand than the limit: as a file without end.
        const QByteArray full(65536, 'x'); // what a pipe holds
        QCOMPARE(::write(ends[1], full.data(), full.size()), full.size());
        QCOMPARE(sw::readToEnd({ends[0], 60001, {}}, 60000, past, bytes), past);
        QCOMPARE(bytes, "abc"_ba); // refused by its size, unread
        QCOMPARE(sw::readToEnd({ends[0], 0, {}}, 60000, past, bytes), past);
        QCOMPARE(bytes.size(), 60001);
        ::close(ends[1]);
        QCOMPARE(sw::readToEnd({ends[0], 5535, {}}, 5535, past, bytes), QString());
        QCOMPARE(bytes, full.first(5535));
        ::close(ends[0]);
        ::alarm(0);
        // A link is read through unless refused, by the open itself.
        QTemporaryDir dir;
        QVERIFY(QFile::link(QStringLiteral(STEPWRIGHT_TEST_DATA "/unnumbered.scp"),
                            dir.filePath(u"l"_s)));
        const QByteArray link = QFile::encodeName(dir.filePath(u"l"_s));
        QCOMPARE(sw::readRegularFile(link, 99999, past, bytes), QString());
        QVERIFY(!sw::readRegularFile(link, 99999, past, bytes, sw::Links::Refuse).isEmpty());

        // The files of /proc say they are empty.
        const QString path = u"/proc/version"_s;
        if (!QFile::exists(path))
            QSKIP("This system has no /proc/version, a file longer than its stated size.");
        const sw::FileContent content = sw::readScriptFileBytes(QFile::encodeName(path));
        QCOMPARE(content.error, QString());
        QVERIFY(content.bytes.size() > 1);
        QCOMPARE(content.bytes, readBytes(path));
#endif
    }

    // Save asks before overwriting a file unless it holds what was last read or written there,
    // or is gone: what cannot be read cannot be compared.
    void changedOnDiskUnlessTheSame()
    {
#ifdef Q_OS_WIN
        QSKIP("pipes and another user (nobody) are POSIX only");
#else
        QTemporaryDir dir;
        const QString path = dir.filePath(u"f.scp"_s);
        const auto changed = [&](const QByteArray& bytes) {
            return writeBytes(path, bytes) && sw::changedOnDisk(path, NewScriptFile);
        };
        QVERIFY(!changed(NewScriptFile));
        QVERIFY(changed(NewScriptFile + ' '));
        QVERIFY(QFile::resize(path, sw::MaxScriptFileSize + 1));
        QVERIFY(sw::changedOnDisk(path, NewScriptFile));
        QVERIFY(QFile::remove(path));
        QVERIFY(!sw::changedOnDisk(path, NewScriptFile));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
        QVERIFY(sw::changedOnDisk(path, NewScriptFile));
        QVERIFY(QFile::remove(path));

        // Unreadable to the user; root reads anything, so it looks as nobody.
        QVERIFY(!changed(NewScriptFile));
        QVERIFY(QFile::setPermissions(path, {}));
        const passwd* nobody = ::getpwnam("nobody");
        const bool root = ::geteuid() == 0;
        if (root && (!nobody || ::chmod(QFile::encodeName(dir.path()).constData(), 0711) != 0 ||
                     ::seteuid(nobody->pw_uid) != 0))
            QSKIP("root cannot look as nobody here");
        const bool unreadable = sw::changedOnDisk(path, NewScriptFile);
        QVERIFY(!root || ::seteuid(0) == 0);
        QVERIFY(unreadable);
#endif
    }

    // Every byte decodes to a character that encodes back to it, alone among others at every
    // place of a text up to three words of eight bytes long, where the quick test for text
    // without the bytes 0x80 to 0x9F must find it; no other UTF-16 code unit encodes.
    void codePageIsOneToOne()
    {
        for (int size = 1; size <= 24; ++size)
            for (int at = 0; at < size; ++at)
                for (int byte = 0x80; byte <= 0xFF; ++byte) {
                    QByteArray bytes(size, 'a');
                    bytes[at] = static_cast<char>(byte);
                    QByteArray back;
                    QVERIFY2(sw::codepage::appendEncoded(sw::codepage::decode(bytes), back) < 0 &&
                                 back == bytes,
                             bytes.toHex().constData());
                }
        QByteArray everyByte(256, 0);
        std::iota(everyByte.begin(), everyByte.end(), 0);
        const QString characters = sw::codepage::decode(everyByte);
        for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
            const QChar c(static_cast<char16_t>(unit));
            QByteArray out;
            const bool encoded = sw::codepage::appendEncoded(QStringView(&c, 1), out) < 0;
            const qsizetype byte = characters.indexOf(c);
            QVERIFY2(encoded == (byte >= 0) && (!encoded || out == everyByte.sliced(byte, 1)),
                     qPrintable(QString::number(unit, 16)));
        }
    }

    void fuzzRegressions()
    {
        const QDir dir(QStringLiteral(STEPWRIGHT_TEST_DATA "/fuzz-regressions"));
        const QStringList names = dir.entryList(QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString& name : names)
            QVERIFY2(exerciseScriptInput(readBytes(dir.filePath(name))).isEmpty(),
                     qPrintable(name));
    }

    // The lines the panels compose pass (test_steps); these are the lenient and borderline ones.
    // A refused line names the field at fault as the technician typed it.
    void checkScriptLine()
    {
        // The longest module and file names, and one character more.
        const QString module = u"SelectModule , "_s + QString(249, u'M'), file = u"LoadFile , "_s;
        const QStringList accepted =
            u"input,in0,on,5|INPUT  ,  IN 3 ,OFF,  12345// x|program   |"
            "ProbeSelect // spare|LoadFile , A/B|SelectModule , ABC.yim"_s.split(u'|')
            << module + u".YIM"_s << file + QString(248, u'F');
        for (const QString& line : accepted)
            QVERIFY2(sw::Check_Script_Line(line), qPrintable(line));
        for (const auto& [line, reason] : std::initializer_list<std::pair<QString, QString>>{
                 {u"Wiat , 5"_s, u"no step is named \"Wiat\": a step begins with Input,"_s},
                 {u"EPROM"_s, u"no step is named \"EPROM\""_s},
                 {u"TargetProbe3"_s, u"no step is named \"TargetProbe3\""_s},
                 {u"(Enf)"_s, u"\"(Enf)\" is neither (Start) nor (End)"_s},
                 {u" Wait , 5"_s, u"the line begins with a blank"_s},
                 {u"Input , IN5 , ON , 5"_s, u"the port must be IN0 to IN4, not \"IN5\""_s},
                 {u"Input , IN12 , ON , 5"_s, u"the port must be IN0 to IN4, not \"IN12\""_s},
                 {u"Input ,\tIN0 , ON , 1"_s, u"the port must be IN0 to IN4"_s},
                 {u"Output , X1 , ON"_s, u"the port must be OUT0 to OUT4, not \"X1\""_s},
                 {u"Input , IN0 , ONN , 5"_s, u"the level must be ON or OFF, not \"ONN\""_s},
                 {u"Wait , 123456"_s, u"the time must be 1 to 5 digits, not \"123456\""_s},
                 {u"Input , IN0 , ON , 100abc"_s, u"1 to 5 digits, not \"100abc\""_s},
                 {u"Wait ,"_s, u"the time must be 1 to 5 digits, but the line ends there"_s},
                 {u"Input , IN0 , ON"_s, u"a field is missing at the end of the line"_s},
                 {u"Wait 5"_s, u"\",\" is expected between the fields, not \"5\""_s},
                 {u"SelectModule , ABC.BIN"_s, u"must end in \".YIM\", not \"ABC.BIN\""_s},
                 {module + u"M.YIM"_s, u"the module name is longer than 253 characters"_s},
                 {u"LoadFile ,"_s, u"the file name is missing"_s},
                 {file + QString(249, u'F'), u"the file name is longer than 248 characters"_s},
                 {u"LoadFile , MY FILE.HEX"_s, u"only a comment may follow, beginning with "
                                               "\"//\": not \"FILE.HEX\""_s}})
            QVERIFY2(!sw::Check_Script_Line(line) && sw::lineFault(line).contains(reason),
                     qPrintable(sw::lineFault(line)));
    }

    // Pasted text: any line end, the frame and separators left out, numbers dropped; one bad
    // line, or one the file cannot hold, refuses all of it and is quoted.
    void readsStepText()
    {
        for (const auto& [text, steps] :
             {std::pair{
                  u"(Start)\r\nEPR  //:(7)\nWait , 5  // a:(3):(9)\r-\r\n\n// x:(2)\r\n(End)"_s,
                  u"EPR  //|Wait , 5  // a:(3)|// x:(2)"_s},
              {u"EPR\r\nWiat , 5\r\nRead"_s,
               u"line 2 of the text is not a valid script line:\n\"Wiat , 5\""_s},
              {u"Read  // \u03A9"_s,
               u"line 1 of the text holds a character a script file cannot hold"_s}}) {
            const sw::PastedSteps pasted = sw::readStepText(text);
            QVERIFY2(pasted.lines.join(u'|') == steps || pasted.error.contains(steps),
                     qPrintable(pasted.lines.join(u'|') + pasted.error));
            QCOMPARE(pasted.error.isEmpty(), !pasted.lines.isEmpty());
        }
        QCOMPARE(sw::stepText({u"EPR"_s, u"Read"_s}), u"EPR\r\nRead\r\n"_s);
    }

    // A path's folder and name; without a folder or a name, an error, the folder emptied and
    // the name left as it was. The suffix is added unless there, in any letter case.
    void pathsSplitAndTakeTheSuffix()
    {
        for (const auto& [path, expected] :
             {std::pair{u"/home/tech/Line1.scp"_s, u"/home/tech|Line1.scp||"_s},
              {u"/Line1.scp"_s, u"/|Line1.scp||"_s},
              {u"Line1.scp"_s, u"|old|File Path Error|File Path Error"_s},
              {u"/home/tech/"_s, u"/home/tech|old||File Path Error"_s}}) {
            QString folder = u"old"_s, name = u"old"_s;
            const QString errors =
                sw::Get_File_Directory(path, folder) + u'|' + sw::Get_File_Name(path, name);
            QCOMPARE(folder + u'|' + name + u'|' + errors, expected);
        }
        for (const QString& typed :
             u"/t/Plant 2.5 test|/t/Line1.v2|/t.scp/Line1|/t/Line1.sc"_s.split(u'|'))
            QCOMPARE(sw::withDefaultSuffix(typed, u"scp"), typed + u".scp"_s);
        QCOMPARE(sw::withDefaultSuffix(u"/t/Line1.ScP"_s, u"scp"), u"/t/Line1.ScP"_s);
    }

    void roundTripKeepsEveryLineExactly()
    {
        const sw::RecoveryContent content = everyCharacter();
        const QByteArray bytes = sw::encodeRecovery(content);
        const std::optional<sw::RecoveryContent> back = sw::decodeRecovery(bytes);
        QVERIFY(back && back->working.flows == content.working.flows &&
                back->saved.flows == content.saved.flows);
        QCOMPARE(back->filePath, content.filePath);
        QCOMPARE(back->time, content.time);

        // A copy cut anywhere, or with anything behind it, is no copy.
        sw::RecoveryContent small;
        small.working.flows[0] = {u"(Start)"_s, u"(End)"_s};
        const QByteArray whole = sw::encodeRecovery(small);
        for (qsizetype size = 0; size < whole.size(); ++size)
            QVERIFY2(!sw::decodeRecovery(whole.first(size)), qPrintable(QString::number(size)));
        QVERIFY(!sw::decodeRecovery(whole + '\0'));
        // Nor is one with a path or a line over its bound.
        for (int over = 0; over < 3; ++over) {
            sw::RecoveryContent longer = small;
            longer.filePath.fill(u'p', sw::MaxRecoveryPathLength + (over == 1));
            longer.saved.flows[1][0].fill(u'l', sw::MaxRecoveryLineLength + (over == 2));
            QCOMPARE(bool(sw::decodeRecovery(sw::encodeRecovery(longer))), over == 0);
        }
    }

    // A copy is offered only once its editor no longer holds it, to one editor at a time,
    // and goes with its lock.
    void copiesAreHiddenWhileRunningAndPrivate()
    {
#ifdef Q_OS_WIN
        QSKIP("file modes and planted symbolic links are POSIX only");
#else
        QTemporaryDir folder;
        const QString copies = folder.filePath(u"data/stepwright"_s);
        auto running = sw::RecoveryCopy::create(copies);
        QCOMPARE(running->write(everyCharacter()), sw::ErrorText());
        running->remove();
        QVERIFY(QDir(copies).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(running->write(everyCharacter()), sw::ErrorText());
        QVERIFY(sw::RecoveryCopy::claimLeft(copies).empty());

        running.reset();
        auto left = sw::RecoveryCopy::claimLeft(copies);
        QCOMPARE(left.size(), 1u);
        QVERIFY(sw::RecoveryCopy::claimLeft(copies).empty());
        // Read as Open reads a script: every character comes back, but its lines are none.
        QCOMPARE(left[0]->read().detail.section(u"\r\n"_s, 0, 0),
                 u"Line 1 (Normal mode flow, step 1): the flow does not begin with (Start)"_s);
        left[0]->remove();
        QVERIFY(QDir(copies).entryList(QDir::Files | QDir::Hidden).isEmpty());

        // The folder, the copy and its lock are their owner's alone, whatever the umask and the
        // folder were; a link planted at the copy's name is replaced, not written through.
        const QString open = folder.filePath(u"open"_s);
        QVERIFY(QDir(folder.path()).mkdir(u"open"_s, QFile::Permissions(0x7755)));
        const auto mode = [](const QString& path) {
            struct stat status = {}; // 0 when there is nothing
            ::lstat(QFile::encodeName(path).constData(), &status);
            return uint(status.st_mode & 07777);
        };
        running = sw::RecoveryCopy::create(open);
        const QString other = folder.filePath(u"other"_s);
        QVERIFY(QFile(other).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(other, running->path()));
        QCOMPARE(running->write(everyCharacter()), sw::ErrorText());
        QCOMPARE(
            QList<uint>({mode(open), mode(running->path()), mode(running->path() + u".lock"_s)}),
            QList<uint>({0700u, 0600u, 0600u}));
        QCOMPARE(QFileInfo(other).size(), 0);
#endif
    }

    // Each thing at a left copy's name is read with the guards of Open, never waiting, and is
    // set aside when it is no copy whose script loads; none is offered twice.
    void leftCopiesAreReadAsScripts()
    {
#ifdef Q_OS_WIN
        QSKIP("planted pipes, links and /dev/zero are POSIX only");
#else
        QTemporaryDir folder;
        sw::RecoveryContent content;
        content.working.flows = {{{u"(Start)"_s, u"(End)"_s}, {u"(Start)"_s, u"(End)"_s}}};
        content.saved.flows = {{{u"(Start)"_s, u"(End)"_s}, {u"(Start)"_s, u"(End)"_s}}};
        const QByteArray good = sw::encodeRecovery(content);
        QByteArray damaged = good;
        damaged.replace(QByteArray("\0d\0)", 4), QByteArray("\0f\0)", 4));
        QVERIFY(writeBytes(folder.filePath(u"good.recovery"_s), good));
        QVERIFY(writeBytes(folder.filePath(u"enf.recovery"_s), damaged));
        QVERIFY(writeBytes(folder.filePath(u"cut.recovery"_s), good.chopped(1)));
        QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(u"fifo.recovery"_s)).constData(), 0600),
                 0);
        QVERIFY(QFile::link(u"/dev/zero"_s, folder.filePath(u"zero.recovery"_s)));
        QVERIFY(
            QFile::link(folder.filePath(u"good.recovery"_s), folder.filePath(u"link.recovery"_s)));

        ::alarm(20); // a read that waits ends the test
        QStringList read;
        for (const auto& left : sw::RecoveryCopy::claimLeft(folder.path())) {
            const sw::RecoveryRead copy = left->read();
            read << QFileInfo(left->path()).fileName() + u'|' + copy.error + u'|' + copy.detail;
            if (!copy.content)
                QCOMPARE(left->setAside().first, left->path() + u".damaged"_s);
        }
        ::alarm(0);
        read.sort();
        const QString link = u"Is a symbolic link, not a recovery copy|"_s;
        QCOMPARE(read, (QStringList{u"cut.recovery|Not a whole recovery copy|"_s,
                                    u"enf.recovery|Script File Format Error.|Line 2 (Normal mode "
                                    "flow, step 1): \"(Enf)\" is neither (Start) nor (End)\r\n"
                                    "\"(Enf)\""_s,
                                    u"fifo.recovery|Is a pipe, not a regular file|"_s,
                                    u"good.recovery||"_s, u"link.recovery|"_s + link,
                                    u"zero.recovery|"_s + link}));
        QCOMPARE(readBytes(folder.filePath(u"enf.recovery.damaged"_s)), damaged);
        QCOMPARE(sw::RecoveryCopy::claimLeft(folder.path()).size(), 1u);
#endif
    }

    // A lock hides its copy only while its owner runs: one whose process has ended, or that
    // names no one (empty, damaged, no lock file at all) once QLockFile would have written it.
    void onlyALiveLockHidesACopy()
    {
#ifdef Q_OS_WIN
        QSKIP("a pipe in a lock's place and alarm() are POSIX only");
#else
        QTemporaryDir folder;
        QLockFile live(folder.filePath(u"live.recovery.lock"_s));
        QVERIFY(live.tryLock());
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
        // Name, lock content ("fifo": a pipe in its place), whether it is old, claimed.
        for (const auto& [name, lock, aged, claimed] :
             {std::tuple{"live", QByteArray(), false, false},
              {"empty", QByteArray(""), true, true},
              {"new", QByteArray(""), false, false},
              {"garbage", QByteArray("\xff\n\n"), true, true},
              {"ended", "2147483646\nstepwright\n" + host + '\n', false, true},
              {"fifo", QByteArray("fifo"), false, true},
              {"large", QByteArray(8192, '1'), false, true},
              {"none", QByteArray(), false, true}}) {
            const QString copy = folder.filePath(QLatin1StringView(name) + u".recovery"_s);
            QVERIFY(QFile(copy).open(QIODevice::WriteOnly));
            QFile file(copy + u".lock"_s);
            if (lock == "fifo")
                QCOMPARE(::mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
            else if (!lock.isNull())
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lock) == lock.size() &&
                        file.flush());
            if (aged)
                QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
            file.close();
            ::alarm(20);
            const auto left = sw::RecoveryCopy::claimLeft(folder.path());
            ::alarm(0);
            QVERIFY2(left.size() == size_t(claimed), name);
            for (const auto& taken : left)
                taken->remove();
        }
#endif
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
