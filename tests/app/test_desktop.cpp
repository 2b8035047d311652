#include "app/app_identity.h"
#include "app/command_line.h"
#include "window_harness.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

const QString Base = u"KT615 Stepwright   V1.02"_s;

bool matchesAll(const QString& pattern, const QByteArray& bytes)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::DotMatchesEverythingOption)
        .match(QString::fromLocal8Bit(bytes))
        .hasMatch();
}

} // namespace

// The editor as the desktop starts it and hands it files: its command line, the files dropped
// on its window, and where its settings go.
class DesktopTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void answersWithoutAWindow_data();
    void answersWithoutAWindow();
    void fileArgumentOpensAsOpen_data();
    void fileArgumentOpensAsOpen();
    void droppedScriptsOpenAsOpen_data();
    void droppedScriptsOpenAsOpen();
    void settingsStayInPlace();

private:
    QString copyOfData(const QString& name, const QString& as) const
    {
        const QString path = m_folder->filePath(as);
        if (!QFile::copy(QStringLiteral(STEPWRIGHT_TEST_DATA "/") + name, path))
            qFatal("cannot copy %s", qPrintable(name));
        return path;
    }
};

void DesktopTest::answersWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display"); // whether the offscreen platform is at hand
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // patterns for all of standard output and error
    QTest::addColumn<QString>("errors");

    const QString usage = u"Usage: \\S*stepwright \\[options\\] \\[FILE\\]\n.*"_s;
    QTest::newRow("help needs no display")
        << QStringList{u"--help"_s} << false << 0 << usage << QString();
    QTest::newRow("version needs no display")
        << QStringList{u"-v"_s} << false << 0 << u"Stepwright 1.02\n"_s << QString();
    QTest::newRow("version behind Qt's options")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"--version"_s} << true << 0
        << u"Stepwright 1.02\n"_s << QString();
    QTest::newRow("unknown option") << QStringList{u"--bogus"_s, u"a.scp"_s} << true << 2
                                    << QString() << u"Unknown option 'bogus'.\n\n"_s + usage;
    QTest::newRow("two files") << QStringList{u"a.scp"_s, u"b.scp"_s} << true << 2 << QString()
                               << u"Only one FILE .*\n\n"_s + usage;
}

void DesktopTest::answersWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, errors);

    // A home of its own, where a settings file would show.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_folder->path());
    environment.insert(u"XDG_CONFIG_HOME"_s, m_folder->filePath(u"config"_s));
    // Without one, Qt warns on standard error.
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_folder->path());
    for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
        if (!display)
            environment.remove(name);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder->path());
    process.start(QStringLiteral(STEPWRIGHT_EDITOR), arguments);
    QVERIFY(process.waitForFinished());
    const QByteArray printed = process.readAllStandardOutput();
    const QByteArray error = process.readAllStandardError();
    QVERIFY2(process.exitStatus() == QProcess::NormalExit, error.constData());
    QCOMPARE(process.exitCode(), status);
    QVERIFY2(matchesAll(out, printed), printed.constData());
    QVERIFY2(matchesAll(errors, error), error.constData());
    QVERIFY(!QFileInfo::exists(m_folder->filePath(u"config/Stepwright"_s)));
}

void DesktopTest::fileArgumentOpensAsOpen_data()
{
    QTest::addColumn<QString>("data"); // a file of tests/data, or nothing: the file is missing
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    QTest::newRow("loaded") << u"unnumbered.scp"_s << Base + u" - given.scp"_s << QString();
    QTest::newRow("format error") << u"fuzz-regressions/cut-lines.scp"_s << Base
                                  << u"Script File Format Error\\. / .+"_s;
    QTest::newRow("missing") << QString() << Base << u".+"_s;
}

void DesktopTest::fileArgumentOpensAsOpen()
{
    QFETCH(QString, data);
    QFETCH(QString, caption);
    QFETCH(QString, message);

    const QString path = m_folder->filePath(u"given.scp"_s);
    if (!data.isEmpty())
        copyOfData(data, u"given.scp"_s);
    // Named as a user types it, from the folder it lies in.
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder->path());
    const sw::CommandLine line = sw::readCommandLine({u"stepwright"_s, u"given.scp"_s});
    QDir::setCurrent(before);
    QCOMPARE(line.exitStatus, std::nullopt);
    QCOMPARE(line.file, path);

    m_window->openFile(line.file);
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->currentFilePath(), message.isEmpty() ? path : QString());
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    QCOMPARE(m_dialogs->criticals.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(matchesAll(message, m_dialogs->criticals[0].toLocal8Bit()),
                 qPrintable(m_dialogs->criticals[0]));
    // Whatever the file, the window goes on working.
    const qsizetype lines = items().size();
    click(u"cmdF2"_s);
    QCOMPARE(items().size(), lines + 2);
}

void DesktopTest::droppedScriptsOpenAsOpen_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("files"); // names in the test's folder, or URLs
    QTest::addColumn<bool>("taken");

    QTest::newRow("script on the list") << u"lstScript"_s << QStringList{u"drop.SCP"_s} << true;
    QTest::newRow("script on a comment field")
        << u"txtINComm"_s << QStringList{u"drop.scp"_s} << true;
    QTest::newRow("other file") << u"txtINComm"_s << QStringList{u"drop.txt"_s} << false;
    QTest::newRow("two scripts") << u"lstScript"_s << QStringList{u"a.scp"_s, u"b.scp"_s} << false;
    QTest::newRow("remote script")
        << u"lstScript"_s << QStringList{u"https://example.org/drop.scp"_s} << false;
}

void DesktopTest::droppedScriptsOpenAsOpen()
{
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QFETCH(bool, taken);

    QList<QUrl> urls;
    for (const QString& file : files)
        urls << (file.contains(u':') ? QUrl(file)
                                     : QUrl::fromLocalFile(copyOfData(u"unnumbered.scp"_s, file)));
    QMimeData data;
    data.setUrls(urls);
    // File managers offer the paths as text too, which a field would paste.
    data.setText(files.join(u'\n'));
    QWidget* widget = find(target);
    const QPoint at = widget->rect().center();
    click(u"cmdF2"_s); // an unsaved change, so the question must come first

    // Shift proposes a move; the file manager must keep its file.
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    if (!taken)
        return;
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);

    QTRY_COMPARE(m_window->currentFilePath(), urls[0].toLocalFile());
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(find<QLineEdit>(u"txtINComm"_s)->text(), QString());
    QVERIFY(QFileInfo::exists(urls[0].toLocalFile()));
}

void DesktopTest::settingsStayInPlace()
{
    // The desktop identity does not move the user's settings: a run with the user's own store,
    // in a home of the test's, leaves them where every earlier version kept them.
    m_window.reset();
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&before] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", m_folder->path().toLocal8Bit());
    sw::setApplicationIdentity();
    const QString path = m_folder->filePath(u"Stepwright/Stepwright.conf"_s);
    // Checked before the window writes anything, so a test never writes the user's own file.
    QCOMPARE(sw::openUserSettings()->fileName(), path);
    auto window = std::make_unique<sw::MainWindow>(std::make_unique<FakeDialogs>());
    window->show();
    QVERIFY(window->close());
    window.reset();
    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.childGroups(), QStringList{u"Data"_s});
    QCOMPARE(stored.allKeys().size(), 3);
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
