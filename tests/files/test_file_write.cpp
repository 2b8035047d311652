#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Runs a shell command in folder with T set to target; its exit status and standard output.
std::pair<int, QString> shell(const QString& folder, const QString& target, const QString& command)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"T"_s, target);
    process.setProcessEnvironment(environment);
    process.start(u"sh"_s, {u"-c"_s, command});
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

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
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("tmpfsSize"); // mounted on the folder d first, when not empty
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("limits"); // prlimit options for the save
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("error"); // a pattern; empty when the save succeeds
        QTest::addColumn<QString>("look");  // a shell command run afterwards
        QTest::addColumn<QString>("after"); // what it prints

        const QString file = u"d/f.scp"_s;
        const QString longName = u"d/"_s + QString(246, u'x') + u".scp"_s; // 250 bytes
        const QString roots = u"mkdir d && echo old >\"$T\" && chmod 666 \"$T\""_s;
        const QString nobodys = u"mkdir -m 777 d && echo old >\"$T\" && chown nobody: \"$T\""_s;
        // What T leads to: owner, group, mode and links; its first bytes.
        const QString look = u"stat -L --printf '%U:%G %a %h ' \"$T\" && head -c 3 \"$T\""_s;
        const auto row = [&](const char* tag, const QString& target, const QString& setup,
                             const QString& more, const QString& after, const QString& limits = {},
                             const QString& error = {}, const QString& tmpfs = {}, int steps = 40) {
            QTest::newRow(tag) << target << tmpfs << setup << limits << steps << error
                               << (more.startsWith(u"stat -c"_s) ? more : look + more) << after;
        };
        const auto failure = [](const char* reason, const char* outcome) {
            return u"Cannot save \"d/f\\.scp\"\\.\r\n%1\\.\r\n%2"_s.arg(
                QLatin1StringView(reason), QRegularExpression::escape(QLatin1StringView(outcome)));
        };
        row("writable file in a folder nobody may not write", file, roots, {},
            u"root:root 666 1 (St"_s);
        row("another user's file", file,
            u"mkdir -m 777 d && echo old >\"$T\" && chmod 666 \"$T\""_s, {},
            u"root:root 666 1 (St"_s);
        row("hard link", file, nobodys + u" && ln \"$T\" d/g.scp"_s, u" && head -c 3 d/g.scp"_s,
            u"nobody:nogroup 644 2 (St(St"_s);
        row("set-ID bits", file, nobodys + u" && chmod 6755 \"$T\""_s, {},
            u"nobody:nogroup 6755 1 (St"_s);
        row("symbolic link", u"d/l.scp"_s,
            u"mkdir -m 777 d t && echo old >t/f.scp && chmod 666 t/f.scp && "
            "ln -s ../t/f.scp \"$T\""_s,
            u" && echo && readlink \"$T\""_s, u"root:root 666 1 (St\n../t/f.scp"_s);
        row("name too long for a temporary name beside it", longName, nobodys, {},
            u"nobody:nogroup 644 1 (St"_s);
        row("size limit, written in place", file, roots, {}, u"root:root 666 1 old"_s,
            u"--fsize=64"_s, failure("File too large", "Its former content was put back."));
        row("size limit, replaced", file, nobodys, u" && echo && ls d"_s,
            u"nobody:nogroup 644 1 old\nf.scp"_s, u"--fsize=64"_s,
            failure("File too large", "The file is unchanged."));
        row("full disk, written in place", file, u"echo old >\"$T\" && chmod 666 \"$T\""_s, {},
            u"root:root 666 1 old"_s, {},
            failure("No space left on device", "Its former content was put back."), u"8k"_s, 500);
        row("file nobody may not write", file, u"mkdir -m 777 d && echo old >\"$T\""_s, {},
            u"root:root 644 1 old"_s, {}, failure("Permission denied", "The file is unchanged."));
        row("pipe", file, u"mkdir -m 777 d && mkfifo -m 666 \"$T\""_s, u"stat -c %F \"$T\""_s,
            u"fifo"_s, {}, failure("Is a pipe, not a regular file", "The file is unchanged."));
    }

    void saveAsNobody()
    {
        QFETCH(QString, target);
        QFETCH(QString, tmpfsSize);
        QFETCH(QString, setup);
        QFETCH(QString, limits);
        QFETCH(int, steps);
        QFETCH(QString, error);
        QFETCH(QString, look);
        QFETCH(QString, after);

        if (::geteuid() != 0)
            QSKIP("only root can prepare files of another user");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
        const auto unmount = qScopeGuard([&] { shell(dir.path(), {}, u"umount d"_s); });
        if (!tmpfsSize.isEmpty() &&
            shell(dir.path(), {},
                  u"mkdir d && mount -t tmpfs -o size=%1,mode=755 none d"_s.arg(tmpfsSize))
                    .first != 0)
            QSKIP("a tmpfs cannot be mounted here");
        QCOMPARE(shell(dir.path(), target, setup).first, 0);

        const auto [status, message] =
            shell(dir.path(), target,
                  u"setpriv --reuid=nobody --regid=nogroup --clear-groups prlimit %1 %2 \"$T\" %3"_s
                      .arg(limits, QStringLiteral(WRITE_SCRIPT))
                      .arg(steps));
        QCOMPARE(status, error.isEmpty() ? 0 : 1);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(error))
                     .match(message)
                     .hasMatch(),
                 qPrintable(message));
        QCOMPARE(shell(dir.path(), target, look).second.trimmed(), after);
    }
};

QTEST_GUILESS_MAIN(TestFileWrite)
#include "test_file_write.moc"
