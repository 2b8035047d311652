#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// stepwright-check and the editor's answers without a window, run from a shell as a user runs
// them, in a folder holding good.scp (loads) and bad.scp (a format error in line 2) that is
// also the home, where a settings file would show.
class TestCheckTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QString>("command"); // "$CHECK" is the checker, "$EDITOR" the editor
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");    // a pattern for all of standard output
        QTest::addColumn<QString>("errors"); // and one for all of standard error

        const QString usage = u"Usage: \\S*stepwright-check \\[options\\] FILE\\.\\.\\.\n.*"_s;
        const QString formatError = u":2: Script File Format Error\\. \\(.+\\)\n"_s;
        const QString unwritable = u"stepwright-check: cannot write to standard output: %1\n"_s;
        const auto row = [](const char* tag, const QString& command, int status, const QString& out,
                            const QString& errors = {}) {
            QTest::newRow(tag) << command << status << out << errors;
        };
        const QString editorUsage = u"Usage: \\S*stepwright \\[options\\] \\[FILE\\]\n.*"_s;
        const QString noDisplay = u"env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "_s;
        row("editor help needs no display", noDisplay + u"\"$EDITOR\" --help"_s, 0, editorUsage);
        row("editor version needs no display", noDisplay + u"\"$EDITOR\" -v"_s, 0,
            u"Stepwright 1\\.02\n"_s);
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
        row("format error", u"\"$CHECK\" good.scp bad.scp"_s, 1, {}, u"bad.scp"_s + formatError);
        row("unreadable wins", u"\"$CHECK\" missing.scp bad.scp"_s, 2, {},
            u"missing.scp: No such file or directory\nbad.scp:2: .+\n"_s);
        row("no file", u"\"$CHECK\" --print"_s, 2, {}, usage);
        row("unknown option", u"\"$CHECK\" -q good.scp"_s, 2, {},
            u"Unknown option 'q'.\n"_s + usage);
        row("help", u"\"$CHECK\" --help"_s, 0, usage);
        row("version", u"\"$CHECK\" --version"_s, 0, u"stepwright-check 1\\.02\n"_s);
        // Refused at once, not waited on nor read without end.
        row("no regular file", u"mkfifo pipe.scp && \"$CHECK\" pipe.scp . /dev/zero"_s, 2, {},
            u"pipe.scp: Is a pipe, not a regular file\n\\.: Is a folder, not a regular file\n"
            "/dev/zero: Is a device, not a regular file\n"_s);
        row("too large", u"truncate -s 1G big.scp && \"$CHECK\" big.scp"_s, 2, {},
            u"big.scp: Larger than \\d+ MiB, too large for a script file\n"_s);
        // Names as the system holds them: one line per fault, the bytes opened as given.
        row("newline in a name", u"cp bad.scp \"$(printf 'a\\nb\\\\.scp')\" && \"$CHECK\" a*"_s, 1,
            {}, u"a\\\\nb\\\\\\\\\\.scp"_s + formatError);
        row("name not in UTF-8",
            u"n=$(printf 'g\\377.scp') && cp good.scp \"$n\" && \"$CHECK\" \"$n\""_s, 0, {});
        row("full disk", u"\"$CHECK\" --print good.scp >/dev/full"_s, 2, {},
            unwritable.arg(u"No space left on device"_s));
        row("file size limit", u"ulimit -f 0 && \"$CHECK\" --print good.scp >out.scp"_s, 2, {},
            unwritable.arg(u"File too large"_s));
    }

    void run()
    {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, errors);

        QTemporaryDir dir;
        const QString data = QStringLiteral(STEPWRIGHT_TEST_DATA);
        QVERIFY(QFile::copy(data + u"/unnumbered.scp"_s, dir.filePath(u"good.scp"_s)));
        QVERIFY(
            QFile::copy(data + u"/fuzz-regressions/cut-lines.scp"_s, dir.filePath(u"bad.scp"_s)));
        QProcess process;
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"CHECK"_s, QStringLiteral(STEPWRIGHT_CHECK));
        environment.insert(u"EDITOR"_s, QStringLiteral(STEPWRIGHT_EDITOR));
        environment.insert(u"HOME"_s, dir.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, dir.path()); // without one, Qt warns
        process.setProcessEnvironment(environment);
        process.start(u"sh"_s, {u"-c"_s, command});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        const QString error = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), status);
        for (const auto& [pattern, text] : {std::pair{out, output}, {errors, error}}) {
            const QRegularExpression expected(QRegularExpression::anchoredPattern(pattern),
                                              QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(expected.match(text).hasMatch(), qPrintable(text));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath(u"config"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCheckTool)
#include "test_check_tool.moc"
