#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// stepwright-check, run as a user runs it, from the test data folder.
class TestCheckTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
};

void TestCheckTool::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QStringList>("errors"); // the start of each line on standard error

    const QString good = u"unnumbered.scp"_s;
    const QString bad = u"fuzz-regressions/cut-lines.scp"_s;
    QTest::newRow("print renumbers") << QStringList{u"--print"_s, good} << 0
                                     << QByteArray("(Start)\r\n"
                                                   "Input , IN2 , OFF , 42  //:(1)\r\n"
                                                   "SelectModule,abc.yim// x:(2)\r\n"
                                                   "LoadFile , A:B  // c:(3)\r\n"
                                                   "// note\r\n"
                                                   "TargetProbe2  //:(4)\r\n"
                                                   "(End)\r\n-\r\n"
                                                   "(start)\r\n"
                                                   "erase  //:(1)\r\n"
                                                   "(end)\r\n-\r\n")
                                     << QStringList{};
    QTest::newRow("format error") << QStringList{good, bad} << 1 << QByteArray()
                                  << QStringList{bad + u":2: Script File Format Error. ("_s};
    QTest::newRow("unreadable wins") << QStringList{u"missing.scp"_s, bad} << 2 << QByteArray()
                                     << QStringList{u"missing.scp: "_s, bad + u":2: "_s};
    QTest::newRow("no file") << QStringList{u"--print"_s} << 2 << QByteArray()
                             << QStringList{u"usage: stepwright-check"_s};
    QTest::newRow("unknown option") << QStringList{u"-q"_s, good} << 2 << QByteArray()
                                    << QStringList{u"usage: stepwright-check"_s};
}

void TestCheckTool::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QStringList, errors);

    QProcess process;
    process.setWorkingDirectory(QStringLiteral(STEPWRIGHT_TEST_DATA));
    process.start(QStringLiteral(STEPWRIGHT_CHECK), arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(process.readAllStandardOutput(), out);
    const QStringList lines =
        QString::fromLocal8Bit(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), errors.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(errors[i]), qPrintable(lines[i]));
}

QTEST_GUILESS_MAIN(TestCheckTool)
#include "test_check_tool.moc"
