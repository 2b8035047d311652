#include "files/recovery_copy.h"
#include "window_harness.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString Step = u"BufferClear  //:(1)"_s;

// The editor as main.cpp starts it, with one step set and not saved; it says so on stdout.
int runEditor(int argc, char* argv[])
{
    QApplication app(argc, argv);
    sw::MainWindow window;
    window.endOnTerminationSignals();
    window.show();
    window.findChild<QPushButton*>(u"cmdF2"_s)->click();
    std::fputs("set\n", stdout);
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class RecoveryTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void copyFollowsUnsavedChanges();
    void startOffersALeftCopy();
    void endRequestKeepsTheWork_data();
    void endRequestKeepsTheWork();

private:
    QStringList copies() const
    {
        return QDir(sw::recoveryFolder()).entryList({u"*.recovery"_s}, QDir::Files);
    }
    QStringList state() const
    {
        return QStringList{m_window->windowTitle(), m_window->currentFilePath(),
                           m_window->document().Is_Script_Changed() ? u"changed"_s : u"saved"_s} +
               items();
    }
};

// Written after a change, never on the way of the Set itself; gone once the work is saved or
// given up.
void RecoveryTest::copyFollowsUnsavedChanges()
{
    m_dialogs->fileNames << path(u"a.scp"_s);
    const sw::MainMenu& menu = m_window->menu();
    for (QAction* end : {menu.mnuSave, menu.mnuNew, menu.mnuExit}) { // New and Exit: answered No
        click(u"cmdF2"_s);
        QVERIFY(copies().isEmpty());
        QTRY_COMPARE(copies().size(), 1);
        end->trigger();
        QVERIFY(copies().isEmpty());
    }
}

// An editor that ended without asking left its unsaved changes to Line1.scp.
void RecoveryTest::startOffersALeftCopy()
{
    for (const sw::Answer answer : {sw::Answer::Yes, sw::Answer::No, sw::Answer::Cancel}) {
        startAfresh();
        openAndChangeLine1();
        QTRY_COMPARE(copies().size(), 1);
        const QStringList changed = state();
        m_window.reset();
        start({answer});
        QCOMPARE(m_dialogs->questions.size(), 1);
        QVERIFY(m_dialogs->questions[0].contains(path(u"Line1.scp"_s)));
        // Yes: as after an Open of the file, with the changes unsaved. Cancel: kept, and
        // offered again by the next start.
        if (answer == sw::Answer::Yes)
            QCOMPARE(state(), changed);
        else
            QCOMPARE(items().size(), 3);
        QCOMPARE(copies().size(), int(answer != sw::Answer::No));
        if (answer == sw::Answer::Cancel) {
            start();
            QCOMPARE(m_dialogs->questions.size(), 1);
        } else if (answer == sw::Answer::Yes) {
            QVERIFY(m_window->close()); // the close asks, and the copy goes
            QCOMPARE(m_dialogs->questions.last(), ChangedQuestion);
            QVERIFY(copies().isEmpty());
        }
    }
}

void RecoveryTest::endRequestKeepsTheWork_data()
{
    QTest::addColumn<int>("signal");
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGKILL}) // a kill is as a crash
        QTest::addRow("%s", strsignal(signal)) << signal;
}

// The editor runs as a child of its own; a kill ends it without a question and its step is
// offered by the next start.
void RecoveryTest::endRequestKeepsTheWork()
{
    QFETCH(int, signal);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_folder->path());
    environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(QCoreApplication::applicationFilePath(), {u"editor"_s});
    QTRY_VERIFY_WITH_TIMEOUT(editor.canReadLine(), 30000);
    QCOMPARE(editor.readLine(), "set\n");
    // Nothing catches a kill: only the copy written after the change is there.
    if (signal == SIGKILL)
        QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 30000);
    QCOMPARE(::kill(static_cast<pid_t>(editor.processId()), signal), 0);
    QVERIFY(editor.waitForFinished());
    if (signal != SIGKILL) {
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
    }
    QCOMPARE(copies().size(), 1);

    start({sw::Answer::Yes});
    QVERIFY(m_dialogs->questions.value(0).contains(u"a new script"_s));
    QCOMPARE(items().value(2), Step);
    QVERIFY(m_window->document().Is_Script_Changed());
}

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "editor") == 0)
        return runEditor(argc, argv);
    QApplication app(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recovery.moc"
