#include <QDir>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// The stepwright-check executable, run as a user runs it.
class TestCheckTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatusAndMessages_data();
    void exitStatusAndMessages();
    void printRenumbers();
};

namespace {

struct Run
{
    int status;
    QByteArray out;
    QString err;
};

Run runCheck(const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(STEPWRIGHT_TEST_DATA));
    process.start(QStringLiteral(STEPWRIGHT_CHECK), arguments);
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

void TestCheckTool::exitStatusAndMessages_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("errors"); // the start of each line on standard error

    QTest::newRow("loads") << QStringList{u"unnumbered.scp"_s} << 0 << QStringList{};
    QTest::newRow("format error")
        << QStringList{u"unnumbered.scp"_s, u"fuzz-regressions/cut-lines.scp"_s} << 1
        << QStringList{u"fuzz-regressions/cut-lines.scp:2: Script File Format Error. ("_s};
    QTest::newRow("unreadable wins")
        << QStringList{u"missing.scp"_s, u"fuzz-regressions/cut-lines.scp"_s} << 2
        << QStringList{u"missing.scp: "_s, u"fuzz-regressions/cut-lines.scp:2: "_s};
    QTest::newRow("no file") << QStringList{u"--print"_s} << 2
                             << QStringList{u"usage: stepwright-check"_s};
    QTest::newRow("unknown option") << QStringList{u"-q"_s, u"unnumbered.scp"_s} << 2
                                    << QStringList{u"usage: stepwright-check"_s};
}

void TestCheckTool::exitStatusAndMessages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, errors);

    const Run run = runCheck(arguments);
    QCOMPARE(run.status, status);
    QVERIFY(run.out.isEmpty());
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), errors.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(errors[i]), qPrintable(lines[i]));
}

void TestCheckTool::printRenumbers()
{
    const Run run = runCheck({u"--print"_s, u"unnumbered.scp"_s});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, "(Start)\r\n"
                      "Input , IN2 , OFF , 42  //:(1)\r\n"
                      "SelectModule,abc.yim// x:(2)\r\n"
                      "LoadFile , A:B  // c:(3)\r\n"
                      "// note\r\n"
                      "TargetProbe2  //:(4)\r\n"
                      "(End)\r\n-\r\n"
                      "(start)\r\n"
                      "erase  //:(1)\r\n"
                      "(end)\r\n-\r\n");
}

QTEST_GUILESS_MAIN(TestCheckTool)
#include "tst_check_tool.moc"
