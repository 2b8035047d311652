#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// stepwright-check, run as a user runs it, from the test data folder.
class TestCheckTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QString>("errors"); // a pattern for all of standard error

        const QString good = u"unnumbered.scp"_s;
        const QString bad = u"fuzz-regressions/cut-lines.scp"_s;
        const QString usage = u"usage: stepwright-check .*\n"_s;
        QTest::newRow("print renumbers")
            << QStringList{u"--print"_s, good} << 0
            << QByteArray("(Start)\r\nInput , IN2 , OFF , 42  //:(1)\r\n"
                          "SelectModule,abc.yim// x:(2)\r\nLoadFile , A:B  // c:(3)\r\n"
                          "// note\r\nTargetProbe2  //:(4)\r\n(End)\r\n-\r\n"
                          "(start)\r\nerase  //:(1)\r\n(end)\r\n-\r\n")
            << QString();
        QTest::newRow("format error") << QStringList{good, bad} << 1 << QByteArray()
                                      << bad + u":2: Script File Format Error\\. \\(.+\\)\n"_s;
        QTest::newRow("unreadable wins") << QStringList{u"missing.scp"_s, bad} << 2 << QByteArray()
                                         << u"missing.scp: .+\n"_s + bad + u":2: .+\n"_s;
        QTest::newRow("no file") << QStringList{u"--print"_s} << 2 << QByteArray() << usage;
        QTest::newRow("unknown option") << QStringList{u"-q"_s, good} << 2 << QByteArray() << usage;
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QString, errors);

        QProcess process;
        process.setWorkingDirectory(QStringLiteral(STEPWRIGHT_TEST_DATA));
        process.start(QStringLiteral(STEPWRIGHT_CHECK), arguments);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        QCOMPARE(process.readAllStandardOutput(), out);
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        QVERIFY2(
            QRegularExpression(QRegularExpression::anchoredPattern(errors)).match(error).hasMatch(),
            qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCheckTool)
#include "test_check_tool.moc"
