#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/klog.h>
#include <tuple>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Runs a shell command in folder with T set to target and the given variables; its exit
// status (-1: a crash), standard output and standard error.
std::tuple<int, QString, QString> shell(const QString& folder, const QString& target,
                                        const QString& command,
                                        const QList<std::pair<QString, QString>>& variables = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"T"_s, target);
    for (const auto& [name, value] : variables)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(u"sh"_s, {u"-c"_s, command});
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// One save: T; a tmpfs size mounted on the folder d first, when not empty; T's setup; prlimit
// options for the save; its steps; a pattern for its output (failures: "Cannot save..."); a shell
// command run afterwards and what it prints.
using Save = std::tuple<QString, QString, QString, QString, int, QString, QString, QString>;
// A command ("$CHECK" is the checker, "$EDITOR" the editor), its exit status, and patterns for all
// of its standard output and standard error.
using Answer = std::tuple<QString, int, QString, QString>;

} // namespace

// Saving as the user meets it: the file T is written by another user than its owner, under a
// file size limit, on a full disk. Each row prepares T as root, saves a script over it as
// nobody (root may write anything), and looks at what T is afterwards.
class TestFileWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveAsNobody_data()
    {
        QTest::addColumn<Save>("save");

        const QString longName = u"d/"_s + QString(246, u'x') + u".scp"_s; // 250 bytes
        const QString roots = u"mkdir d && echo old >\"$T\" && chmod 666 \"$T\""_s;
        const QString nobodys = u"mkdir -m 777 d && echo old >\"$T\" && chown nobody: \"$T\""_s;
        // What T leads to: owner, group, mode and links; its first bytes.
        const QString look = u"stat -L --printf '%U:%G %a %h ' \"$T\" && head -c 3 \"$T\""_s;
        const auto row = [&](const char* tag, const QString& setup, const QString& more,
                             const QString& after, const QString& limits = {},
                             const QString& error = {}, const QString& tmpfs = {}, int steps = 40,
                             const QString& target = u"d/f.scp"_s) {
            const QString then = more.startsWith(u"stat -c"_s) ? more : look + more;
            QTest::newRow(tag) << Save{target, tmpfs, setup, limits, steps, error, then, after};
        };
        const auto failure = [](const char* reason, const QString& outcome) {
            return u"Cannot save \"d/f\\.scp\"\\.\r\n%1\\.\r\n"_s.arg(QLatin1StringView(reason)) +
                   QRegularExpression::escape(outcome);
        };
        const QString cleared =
            u"The system cleared its set-ID bits, as it does when another user "
            "than the owner writes a file; only the owner can set them again."_s;
        row("writable file in a folder nobody may not write", roots, {}, u"root:root 666 1 (St"_s);
        row("another user's file", u"mkdir -m 777 d && echo old >\"$T\" && chmod 666 \"$T\""_s, {},
            u"root:root 666 1 (St"_s);
        row("hard link", nobodys + u" && ln \"$T\" d/g.scp"_s, u" && head -c 3 d/g.scp"_s,
            u"nobody:nogroup 644 2 (St(St"_s);
        row("set-ID bits", nobodys + u" && chmod 6755 \"$T\""_s, {},
            u"nobody:nogroup 6755 1 (St"_s);
        row("another user's set-ID file", roots + u" && chmod 6777 \"$T\""_s, {},
            u"root:root 777 1 (St"_s, {},
            u"Saved \"d/f\\.scp\"\\.\r\n"_s + QRegularExpression::escape(cleared));
        row("another user's set-ID file, size limit", roots + u" && chmod 6777 \"$T\""_s, {},
            u"root:root 777 1 old"_s, u"--fsize=64"_s,
            failure("File too large", u"Its former content was put back. "_s + cleared));
        // Put back in full though the bytes past the limit cannot be written again.
        row("hard link past the size limit, set-ID bits",
            u"mkdir -m 777 d && printf %0100d 0 >\"$T\" && chown nobody: \"$T\" && "
            "chmod 6755 \"$T\" && ln \"$T\" d/g.scp"_s,
            u" && echo && wc -c <\"$T\""_s, u"nobody:nogroup 6755 2 000\n100"_s, u"--fsize=64"_s,
            failure("File too large", u"Its former content was put back."_s));
        row("symbolic link",
            u"mkdir -m 777 d t && echo old >t/f.scp && chmod 666 t/f.scp && "
            "ln -s ../t/f.scp \"$T\""_s,
            u" && echo && readlink \"$T\""_s, u"root:root 666 1 (St\n../t/f.scp"_s, {}, {}, {}, 40,
            u"d/l.scp"_s);
        row("name too long for a temporary name beside it", nobodys, {},
            u"nobody:nogroup 644 1 (St"_s, {}, {}, {}, 40, longName);
        row("size limit, written in place", roots, {}, u"root:root 666 1 old"_s, u"--fsize=64"_s,
            failure("File too large", u"Its former content was put back."_s));
        row("size limit, replaced", nobodys, u" && echo && ls d"_s,
            u"nobody:nogroup 644 1 old\nf.scp"_s, u"--fsize=64"_s,
            failure("File too large", u"The file is unchanged."_s));
        row("full disk, written in place", u"echo old >\"$T\" && chmod 666 \"$T\""_s, {},
            u"root:root 666 1 old"_s, {},
            failure("No space left on device", u"Its former content was put back."_s), u"8k"_s,
            500);
        row("file nobody may not write", u"mkdir -m 777 d && echo old >\"$T\""_s, {},
            u"root:root 644 1 old"_s, {},
            failure("Permission denied", u"The file is unchanged."_s));
        row("new file in a folder nobody may not write", u"mkdir d"_s, u"stat -c %F d && ls d"_s,
            u"directory"_s, {}, failure("Permission denied", u"No file was written."_s));
        // A file of /proc says it holds nothing: its content cannot be kept to put back.
        row("file longer than it says", u"true"_s, u"stat -c %F \"$T\""_s, u"regular empty file"_s,
            {},
            u"Cannot save \"/proc/self/comm\"\\.\r\nIt holds more than its size says\\.\r\n"
            "The file is unchanged\\."_s,
            {}, 40, u"/proc/self/comm"_s);
        row("pipe", u"mkdir -m 777 d && mkfifo -m 666 \"$T\""_s, u"stat -c %F \"$T\""_s, u"fifo"_s,
            {}, failure("Is a pipe, not a regular file", u"The file is unchanged."_s));
    }

    void saveAsNobody()
    {
        QFETCH(Save, save);
        const auto& [target, tmpfsSize, setup, limits, steps, error, look, after] = save;

        if (::geteuid() != 0)
            QSKIP("only root can prepare files of another user");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
        const auto unmount = qScopeGuard([&] { shell(dir.path(), {}, u"umount d"_s); });
        const QString mount = u"mkdir d && mount -t tmpfs -o size=%1,mode=755 none d"_s;
        if (!tmpfsSize.isEmpty() && std::get<0>(shell(dir.path(), {}, mount.arg(tmpfsSize))) != 0)
            QSKIP("a tmpfs cannot be mounted here");
        QCOMPARE(std::get<0>(shell(dir.path(), target, setup)), 0);

        const auto [status, message, ignored] =
            shell(dir.path(), target,
                  u"setpriv --reuid=nobody --regid=nogroup --clear-groups prlimit %1 %2 \"$T\" %3"_s
                      .arg(limits, QStringLiteral(WRITE_SCRIPT))
                      .arg(steps));
        QCOMPARE(status, error.startsWith(u"Cannot save"_s) ? 1 : 0);
        const QRegularExpression expected(QRegularExpression::anchoredPattern(error));
        QVERIFY2(expected.match(message).hasMatch(), qPrintable(message));
        QCOMPARE(std::get<1>(shell(dir.path(), target, look)).trimmed(), after);
    }

    // /proc/kmsg says it is a regular file, but a read waits there for the kernel's next
    // message: refused at once, not waited on.
    void fileThatWaitsIsRefused()
    {
        if (::geteuid() != 0 || ::access("/proc/kmsg", R_OK) != 0)
            QSKIP("/proc/kmsg, a file that makes a read wait, cannot be read here");
        if (::klogctl(9, nullptr, 0) != 0) // the size of the messages no one has read yet
            QSKIP("the kernel log holds unread messages: a read of /proc/kmsg takes them from "
                  "the system's logger");
        const auto [status, output, errors] =
            shell(QDir::tempPath(), {}, u"timeout 20 \"$CHECK\" /proc/kmsg"_s,
                  {{u"CHECK"_s, QStringLiteral(STEPWRIGHT_CHECK)}});
        QCOMPARE(errors, u"/proc/kmsg: Waits when read, not a regular file\n"_s);
        QCOMPARE(status, 2);
    }

    // stepwright-check and the editor's answers without a window, run from a shell as a user
    // runs them, in a folder holding good.scp (loads) and bad.scp (a format error in line 2)
    // that is also the home, where a settings file would show.
    void checkAndEditorAnswers_data()
    {
        QTest::addColumn<Answer>("answer");

        const QString usage = u"Usage: \\S*stepwright-check \\[options\\] FILE\\.\\.\\.\n.*"_s;
        const QString formatError =
            u":2: Script File Format Error\\. \\(.+\\) in the Normal mode flow, step 1\n"_s;
        const QString unwritable = u"stepwright-check: cannot write to standard output: %1\n"_s;
        const auto row = [](const char* tag, const QString& command, int status, const QString& out,
                            const QString& errors = {}) {
            QTest::newRow(tag) << Answer{command, status, out, errors};
        };
        const QString editorUsage = u"Usage: \\S*stepwright \\[options\\] \\[FILE\\]\n.*"_s;
        const QString noDisplay = u"env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "_s;
        row("editor help needs no display", noDisplay + u"\"$EDITOR\" --help"_s, 0, editorUsage);
        row("editor version behind Qt's options", u"\"$EDITOR\" -platform offscreen --version"_s, 0,
            u"Stepwright 1\\.02\n"_s);
        row("editor option unknown", noDisplay + u"\"$EDITOR\" --bogus a.scp"_s, 2, {},
            u"Unknown option 'bogus'.\n\n"_s + editorUsage);
        row("editor given two files", noDisplay + u"\"$EDITOR\" a.scp b.scp"_s, 2, {},
            u"Only one FILE .*\n\n"_s + editorUsage);
        row("print renumbers", u"\"$CHECK\" --print good.scp"_s, 0,
            QRegularExpression::escape(
                u"(Start)\r\nInput , IN2 , OFF , 42  //:(1)\r\nSelectModule,abc.yim// x:(2)\r\n"
                "LoadFile , A:B  // c:(3)\r\n// note\r\nTargetProbe2  //:(4)\r\n(End)\r\n-\r\n"
                "(start)\r\nerase  //:(1)\r\n(end)\r\n-\r\n"_s));
        row("print takes one file", u"\"$CHECK\" --print good.scp good.scp"_s, 2, {},
            u"--print takes one FILE only\\.\n"_s + usage);
        row("renumber saves what loads in its place, and keeps its mode",
            u"cp bad.scp b.scp && chmod 640 good.scp && \"$CHECK\" --renumber good.scp b.scp; "
            "s=$?; cmp bad.scp b.scp && grep -c ':(4)' good.scp && stat -c %a good.scp; exit $s"_s,
            1, u"1\n640\n"_s, u"b\\.scp"_s + formatError);
        row("checker help without Qt's options", u"\"$CHECK\" --help | grep -c help-all"_s, 1,
            u"0\n"_s);
        row("format error", u"\"$CHECK\" good.scp bad.scp"_s, 1, {}, u"bad.scp"_s + formatError);
        row("unreadable wins", u"\"$CHECK\" missing.scp bad.scp"_s, 2, {},
            u"missing.scp: No such file or directory\nbad.scp:2: .+\n"_s);
        row("no file", u"\"$CHECK\" --print"_s, 2, {}, usage);
        row("checker help", u"\"$CHECK\" --help"_s, 0, usage);
        row("checker version", u"\"$CHECK\" --version"_s, 0, u"stepwright-check 1\\.02\n"_s);
        row("unknown option", u"\"$CHECK\" -q good.scp"_s, 2, {},
            u"Unknown option 'q'.\n"_s + usage);
        // Refused at once, not waited on nor read without end.
        row("no regular file", u"mkfifo pipe.scp && \"$CHECK\" pipe.scp . /dev/zero"_s, 2, {},
            u"pipe.scp: Is a pipe, not a regular file\n\\.: Is a folder, not a regular file\n"
            "/dev/zero: Is a device, not a regular file\n"_s);
        row("too large", u"truncate -s 1G big.scp && \"$CHECK\" big.scp"_s, 2, {},
            u"big.scp: Larger than \\d+ MiB, too large for a script file\n"_s);
        // Names as the system holds them: one line per fault, the bytes opened as given.
        row("newline in a name", u"cp bad.scp \"$(printf 'a\\nb\\\\.scp')\" && \"$CHECK\" a*"_s, 1,
            {}, u"a\\\\nb\\\\\\\\\\.scp"_s + formatError);
        // Opened by their bytes, and told apart: bytes that are no UTF-8, and characters that
        // turn or break the line, as escapes.
        row("names not in UTF-8 or with line controls",
            u"for n in 'g\\377' 'g\\376' 'r\\342\\200\\256\\342\\200\\250'; do "
            "cp bad.scp \"$(printf \"$n.scp\")\" && set -- \"$@\" \"$(printf \"$n.scp\")\"; "
            "done; \"$CHECK\" \"$@\""_s,
            1, {},
            u"g\\\\xff\\.scp"_s + formatError + u"g\\\\xfe\\.scp"_s + formatError +
                u"r\\\\u202e\\\\u2028\\.scp"_s + formatError);
        row("full disk", u"\"$CHECK\" --print good.scp >/dev/full"_s, 2, {},
            unwritable.arg(u"No space left on device"_s));
        row("file size limit", u"ulimit -f 0 && \"$CHECK\" --print good.scp >out.scp"_s, 2, {},
            unwritable.arg(u"File too large"_s));
        // Standard output that takes nothing: help and version fail as --print does.
        row("checker version to a full disk", u"\"$CHECK\" --version >/dev/full"_s, 2, {},
            unwritable.arg(u"No space left on device"_s));
        row("editor help to a full disk", noDisplay + u"\"$EDITOR\" --help >/dev/full"_s, 2, {},
            u"stepwright: cannot write to standard output: No space left on device\n"_s);
        row("print to a closed standard output", u"\"$CHECK\" --print good.scp >&-"_s, 2, {},
            unwritable.arg(u"it is not open for writing"_s));
        // Started with them closed, the editor keeps its descriptors 1 and 2 for themselves: a
        // file or the display connection opened later would receive Qt's warnings.
        row("editor with closed standard output and error",
            u"\"$EDITOR\" -platform offscreen >&- 2>&- & for i in $(seq 300); do "
            "[ \"$(readlink /proc/$!/fd/2)\" = /dev/null ] && break; sleep 0.1; done; sleep 1; "
            "readlink /proc/$!/fd/1 /proc/$!/fd/2; kill -9 $!"_s,
            0, u"/dev/null\n/dev/null\n"_s);
        // A settings store that cannot be made never holds up the window, and is told: the
        // editor runs on good.scp until it tells (a minute at most), and is killed.
        const auto tells = [&row](const char* tag, const QString& setup, const QString& runAs,
                                  const QString& reason) {
            row(tag,
                setup + u" || exit 9; : >err; XDG_CONFIG_HOME=$PWD/c %1 \"$EDITOR\" -platform "
                        "offscreen good.scp 2>err & for i in $(seq 600); do grep -q 'settings "
                        "cannot' err && break; sleep 0.1; done; kill -9 $!; cat err"_s.arg(runAs),
                0,
                u".*The settings cannot be stored in \"[^\"]*/c/Stepwright/Stepwright\\.conf\": "_s +
                    reason + u"\\.\r\n.*"_s);
        };
        tells("editor on a stale settings lock",
              u"mkdir -p c/Stepwright/Stepwright.conf.lock && touch -d '1 hour ago' "
              "c/Stepwright/Stepwright.conf.lock"_s,
              {}, u"its lock .* is held and cannot be removed"_s);
        tells(
            "editor on another user's settings file",
            u"chmod 755 . && mkdir -p -m 777 c/Stepwright && touch c/Stepwright/Stepwright.conf"_s,
            u"setpriv --reuid=nobody --regid=nogroup --clear-groups"_s, u"it cannot be written"_s);
    }

    void checkAndEditorAnswers()
    {
        QFETCH(Answer, answer);
        const auto& [command, status, out, errors] = answer;
        if (command.contains(u"setpriv"_s) && ::geteuid() != 0)
            QSKIP("only root can run the editor as another user");

        QTemporaryDir dir;
        const QString data = QStringLiteral(STEPWRIGHT_TEST_DATA);
        QVERIFY(QFile::copy(data + u"/unnumbered.scp"_s, dir.filePath(u"good.scp"_s)));
        QVERIFY(
            QFile::copy(data + u"/fuzz-regressions/cut-lines.scp"_s, dir.filePath(u"bad.scp"_s)));
        const auto [exitStatus, output, error] =
            shell(dir.path(), {}, command,
                  {{u"CHECK"_s, QStringLiteral(STEPWRIGHT_CHECK)},
                   {u"EDITOR"_s, QStringLiteral(STEPWRIGHT_EDITOR)},
                   {u"HOME"_s, dir.path()},
                   {u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s)},
                   {u"XDG_RUNTIME_DIR"_s, dir.path()}}); // without one, Qt warns
        QCOMPARE(exitStatus, status);
        for (const auto& [pattern, text] : {std::pair{out, output}, {errors, error}}) {
            const QRegularExpression expected(QRegularExpression::anchoredPattern(pattern),
                                              QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(expected.match(text).hasMatch(), qPrintable(text));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath(u"config"_s)));
    }
};

QTEST_GUILESS_MAIN(TestFileWrite)
#include "test_file_write.moc"
