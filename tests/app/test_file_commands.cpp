#include "app/app_identity.h"
#include "app/command_line.h"
#include "files/recovery_copy.h"
#include "window_harness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QString changedOnDisk(const QString& path)
{
    return u"The file \"%1\" was changed on disk since it was opened or last saved here.\r\n"
           "Overwrite it with this script?"_s.arg(path);
}
// The dialogs as FakeDialogs records them: title|filter|pattern|name|folder|options|suffix,
// with the options ConfirmOverwrite 1, PathMustExist 2, FileMustExist 4, HideReadOnly 8.
const QString LoadRequest = u"Load File|Script File (*.SCP)|*.scp||%1|12|"_s;
const QString QuestionRequest = u"Save Script File|Script File (*.SCP)|*.scp|Line1.scp|%1|3|scp"_s;
const QString SaveRequest = u"Save File|Script File (*.scp)|*.scp|00Script.scp|%1|3|scp"_s;

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

class FileCommandsTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void unsavedChangesQuestion();
    void questionBoxKeys();
    void openNamesTheFileOrLeavesANewScript();
    void saveAndReopenAcrossRuns();
    void recentFilesReopenScripts();
    // Unsaved work that outlives the editor.
    void copyFollowsUnsavedChanges();
    void startOffersALeftCopy();
    void endRequestKeepsTheWork_data();
    void endRequestKeepsTheWork();
    // As the desktop starts the editor and hands it files; last, as it gives the test program
    // the editor's identity, and so its folders.
    void droppedScriptsOpenAsOpen();
    void commandLineAndSettingsPlace();

private:
    void dropRow(const QString& target, const QStringList& files, bool taken);
    void unsavedChangesRow(const QString& command, sw::Answer answer, const QString& file,
                           bool proceeds);
    QStringList recentMenu() const
    {
        QStringList texts;
        for (QAction* action : m_window->menu().mnuRecent->actions())
            texts << action->text();
        return texts;
    }
    QStringList copies() const
    {
        return QDir(sw::recoveryFolder()).entryList({u"*.recovery"_s}, QDir::Files);
    }
    void showErrorFlow() const { QTest::keyClick(find(u"cmbMode"_s), Qt::Key_Down); }
    // What the file commands keep: the caption behind the base one, the current file, the
    // folder for the dialogs, and whether the working copy differs from the saved one.
    QStringList state() const
    {
        return {m_window->windowTitle().remove(BaseCaption), m_window->currentFilePath(),
                m_window->settings().DefaultFile,
                m_window->document().Is_Script_Changed() ? u"changed"_s : u"saved"_s};
    }
};

// The question proposes the current file; a cancel, a cancelled dialog or a failed write end
// the command and keep the window, its script and the settings as they were. A file saved
// there is neither the current file nor the saved script. Each row in a window of its own.
void FileCommandsTest::unsavedChangesQuestion()
{
    for (const QString& command : {u"mnuNew"_s, u"mnuOpen"_s, u"mnuExit"_s}) {
        // The file given to the question's dialog (empty: cancelled), and whether it goes on.
        for (const auto& [answer, file, proceeds] :
             {std::tuple{sw::Answer::Cancel, QString(), false},
              {sw::Answer::Yes, QString(), false},
              {sw::Answer::Yes, u"missing/x.scp"_s, false},
              {sw::Answer::Yes, u"kept"_s, true},
              {sw::Answer::No, QString(), true}}) {
            startAfresh();
            unsavedChangesRow(command, answer, file, proceeds);
        }
    }
}

void FileCommandsTest::unsavedChangesRow(const QString& command, sw::Answer answer,
                                         const QString& file, bool proceeds)
{
    openAndChangeLine1();
    m_window->document().Harvest_Flow(0); // as the command does first
    const QStringList before = state() + items();
    m_dialogs->requests.clear();
    m_dialogs->answers << answer;
    if (answer == sw::Answer::Yes)
        m_dialogs->fileNames << (file.isEmpty() ? std::nullopt : std::optional(path(file)));

    find<QAction>(command)->trigger();
    QCOMPARE(m_dialogs->questions, QStringList{ChangedQuestion});
    QCOMPARE(m_dialogs->criticals.size(), int(file.startsWith(u"missing"_s)));
    QCOMPARE(readFile(u"kept.scp"_s).contains("BufferClear  //:(1)"), file == u"kept"_s);
    QStringList requests;
    if (answer == sw::Answer::Yes)
        requests << QuestionRequest.arg(m_folder->path());
    if (proceeds && command == u"mnuOpen"_s)
        requests << LoadRequest.arg(m_folder->path());
    QCOMPARE(m_dialogs->requests, requests);
    if (proceeds && command == u"mnuNew"_s)
        QCOMPARE(items().size(), 3);
    else
        QCOMPARE(state() + items(), before);
    QCOMPARE(m_window->isVisible(), !proceeds || command != u"mnuExit"_s);
    // Only an ended program stores its size: the first start's.
    QCOMPARE(storedSetting(u"FormWidth"_s) + storedSetting(u"FormHeight"_s),
             m_window->isVisible() ? QString() : u"1407010950"_s);
}

// The real box, as the user answers it: Escape and the close button cancel, Return takes the
// default.
void FileCommandsTest::questionBoxKeys()
{
    for (const auto& [key, answer] : {std::pair{Qt::Key_Escape, sw::Answer::Cancel},
                                      {Qt::Key_unknown, sw::Answer::Cancel},
                                      {Qt::Key_Return, sw::Answer::Yes}}) {
        QTimer::singleShot(0, m_window.get(), [key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            key == Qt::Key_unknown ? void(box->close()) : QTest::keyClick(box, key);
        });
        QCOMPARE(sw::WidgetDialogs(m_window.get()).questionWithCancel(ChangedQuestion), answer);
    }
}

void FileCommandsTest::openNamesTheFileOrLeavesANewScript()
{
    // The selector stays on the Error mode flow, now shown from the file; Open renumbers its
    // tags, which counts as a change.
    writeFile(u"Line1.scp"_s,
              "(Start)\r\n(End)\r\n-\r\n(Start)\r\nBufferClear  //:(7)\r\n(End)\r\n-\r\n");
    showErrorFlow();
    m_dialogs->fileNames << path(u"Line1.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(items().at(2), u"BufferClear  //:(1)"_s);
    QCOMPARE(selected(), 0);
    QCOMPARE(state(), (QStringList{u" - Line1.scp"_s, path(u"Line1.scp"_s), m_folder->path(),
                                   u"changed"_s}));

    // A faulty file: a new script in Normal mode and no current file, so a Save cannot write
    // it over Line1.scp. Its folder is remembered.
    QVERIFY(QDir(m_folder->path()).mkdir(u"sub"_s));
    writeFile(u"sub/bad.scp"_s, "(Start)\r\n(End)\r\n-\r\nWait , 1  //:(1)\r\n");
    m_dialogs->fileNames << path(u"sub/bad.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->criticals.size(), 1);
    QCOMPARE(find<QComboBox>(u"cmbMode"_s)->currentIndex(), 0);
    QCOMPARE(state(), (QStringList{{}, {}, path(u"sub"_s), u"saved"_s}));
}

void FileCommandsTest::saveAndReopenAcrossRuns()
{
    // A failed write keeps the script changed and names no file, but the folder is taken.
    entries({u"cmbINIO=IN2"_s, u"cmbINLevel=OFF"_s, u"txtINComm=door shut"_s, u"txtTout=250"_s},
            true);
    click(u"cmdIN"_s);
    m_dialogs->fileNames << path(u"missing/a.scp"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->criticals.size(), 1);
    QCOMPARE(state(), (QStringList{{}, {}, path(u"missing"_s), u"changed"_s}));

    // Steps in both flows; Save harvests the flow shown, and a second Save asks for nothing.
    const QStringList normal = items();
    showErrorFlow();
    entries({u"cmbOutIO=OUT1"_s, u"txtOutComm=alarm"_s}, true);
    click(u"cmdOut"_s);
    m_dialogs->fileNames << path(u"road"_s);
    m_window->menu().mnuSave->trigger();
    click(u"cmdwait"_s); // an empty time: nothing is set
    m_window->menu().mnuSave->trigger();
    const QStringList named{u" - road.scp"_s, path(u"road.scp"_s), m_folder->path(), u"saved"_s};
    QCOMPARE(state(), named);
    QCOMPARE(readFile(u"road.scp"_s),
             "(Start)\r\nInput , IN2 , OFF , 250  // door shut:(1)\r\n(End)\r\n-\r\n"
             "(Start)\r\nOutput , OUT1 , ON  // alarm:(1)\r\n(End)\r\n-\r\n"_ba);
    const QStringList error = items();

    // Save As proposes "00Script.scp" again; a cancel changes nothing.
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(state(), named);
    QCOMPARE(m_dialogs->requests,
             (QStringList{SaveRequest.arg(QString()), SaveRequest.arg(path(u"missing"_s)),
                          SaveRequest.arg(m_folder->path())}));

    // The saved script closes without a question. The next run has the size and the folder of
    // this one, and opens the same flows, each shown in its turn.
    m_window->setOuterSizeTwips(9000, 7500);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    QVERIFY(m_window->close());
    QVERIFY(m_dialogs->questions.isEmpty());
    start();
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    m_dialogs->fileNames << path(u"road.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->requests, QStringList{LoadRequest.arg(m_folder->path())});
    QCOMPARE(items(), normal);
    showErrorFlow();
    QCOMPARE(items(), error);
    QCOMPARE(state(), named);

    // The file as opened is what a Save compares with. Someone saves it meanwhile: Save asks
    // first; No writes nothing, Yes overwrites.
    click(u"cmdF2"_s);
    m_window->menu().mnuSave->trigger();
    writeFile(u"road.scp"_s, "theirs");
    m_window->menu().mnuSave->trigger();
    QCOMPARE(readFile(u"road.scp"_s), "theirs");
    m_dialogs->answers << sw::Answer::Yes;
    m_window->menu().mnuSave->trigger();
    QVERIFY(readFile(u"road.scp"_s).contains("BufferClear"));
    QCOMPARE(m_dialogs->questions, QStringList(2, changedOnDisk(path(u"road.scp"_s))));
    // So is a save over it from the unsaved-change question, though the Open is then cancelled.
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::Yes;
    m_dialogs->fileNames << path(u"road.scp"_s);
    m_window->menu().mnuOpen->trigger();
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->questions.mid(2), QStringList{ChangedQuestion});

    // New leaves no current file and keeps the folder.
    m_window->menu().mnuNew->trigger();
    QCOMPARE(state(), (QStringList{{}, {}, m_folder->path(), u"saved"_s}));

    // A stored width that is no number stops the reading there: the height holds, the width is
    // the platform's smallest, one pixel, and the folder is empty for this run and the next.
    settingsStore()->setValue(u"Data/FormWidth"_s, u"abc"_s);
    start();
    QCOMPARE(m_window->outerSizeTwips().height(), 7500);
    QCOMPARE(m_window->width(), 1);
    QVERIFY(m_window->close());
    QCOMPARE(storedSetting(u"DefaultFile"_s), QString());
}

void FileCommandsTest::recentFilesReopenScripts()
{
    // Nine scripts saved and opened: the last eight, most recent first, numbered.
    for (int i = 1; i <= 9; ++i) {
        m_dialogs->fileNames << path(u"s%1.scp"_s.arg(i));
        m_window->menu().mnuSaveAs->trigger();
    }
    m_dialogs->fileNames << path(u"s3.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QStringList expected;
    for (int i : {3, 9, 8, 7, 6, 5, 4, 2})
        expected << u"&%1 %2"_s.arg(expected.size() + 1).arg(path(u"s%1.scp"_s.arg(i)));
    QCOMPARE(recentMenu(), expected);

    // The unsaved-change question proposes the current file in its folder.
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::Yes;
    m_dialogs->fileNames << path(u"s3.scp"_s);
    // A file gone since is dropped with a message, and nothing is asked.
    QVERIFY(QFile::remove(path(u"s9.scp"_s)));
    m_window->menu().mnuRecent->actions().at(1)->trigger();
    QCOMPARE(m_dialogs->criticals,
             QStringList{u"The script file no longer exists. / "_s + path(u"s9.scp"_s)});
    QCOMPARE(recentMenu().size(), 7);
    QVERIFY(m_dialogs->questions.isEmpty());

    // Choosing one is Open of it, after the question; the next run knows the list, and the
    // settings' own keys stay as they were.
    m_window->menu().mnuRecent->actions().at(2)->trigger();
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(m_dialogs->requests.last(),
             u"Save Script File|Script File (*.SCP)|*.scp|s3.scp|%1|3|scp"_s.arg(m_folder->path()));
    QCOMPARE(m_window->currentFilePath(), path(u"s7.scp"_s));
    QCOMPARE(recentMenu().at(0), u"&1 "_s + path(u"s7.scp"_s));
    QVERIFY(m_window->close());
    start();
    QCOMPARE(recentMenu().at(1), u"&2 "_s + path(u"s3.scp"_s));
    auto store = settingsStore();
    QCOMPARE(store->childGroups(), (QStringList{u"Data"_s, u"RecentFiles"_s}));
    store->beginGroup(u"Data"_s);
    QCOMPARE(store->childKeys(), (QStringList{u"DefaultFile"_s, u"FormHeight"_s, u"FormWidth"_s}));
}

// A script dropped anywhere on the window opens as Open opens it; anything else is refused.
// Each row in a window of its own; files are names in the test's folder, or URLs.
void FileCommandsTest::droppedScriptsOpenAsOpen()
{
    for (const auto& [target, files, taken] :
         {std::tuple{u"lstScript"_s, QStringList{u"drop.SCP"_s}, true},
          {u"txtINComm"_s, QStringList{u"drop.scp"_s}, true},
          {u"txtINComm"_s, QStringList{u"drop.txt"_s}, false},
          {u"lstScript"_s, QStringList{u"a.scp"_s, u"b.scp"_s}, false},
          {u"lstScript"_s, QStringList{u"https://example.org/drop.scp"_s}, false}}) {
        startAfresh();
        dropRow(target, files, taken);
    }
}

void FileCommandsTest::dropRow(const QString& target, const QStringList& files, bool taken)
{
    QList<QUrl> urls;
    for (const QString& file : files) {
        const bool remote = file.contains(u':');
        urls << (remote ? QUrl(file) : QUrl::fromLocalFile(path(file)));
        if (!remote)
            writeFile(file, TwoEmptyFlows);
    }
    QMimeData data;
    data.setUrls(urls);
    data.setText(files.join(u'\n')); // as file managers do: a field would paste it
    QWidget* widget = find(target);
    click(u"cmdF2"_s); // an unsaved change, so the question must come first

    // Shift proposes a move; the file manager must keep its file.
    const QPoint at = widget->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), &drop}) {
        QApplication::sendEvent(widget, event);
        QCOMPARE(event->isAccepted(), taken);
        if (!taken)
            return;
        QCOMPARE(event->dropAction(), Qt::CopyAction);
    }
    QTRY_COMPARE(m_window->currentFilePath(), urls[0].toLocalFile());
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(find<QLineEdit>(u"txtINComm"_s)->text(), QString());
    QVERIFY(QFileInfo::exists(urls[0].toLocalFile()));
}

void FileCommandsTest::commandLineAndSettingsPlace()
{
    // A file named as a user types it is taken from the folder it lies in.
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder->path());
    const sw::CommandLine line = sw::readCommandLine({u"stepwright"_s, u"given.scp"_s});
    QDir::setCurrent(before);
    QCOMPARE(line.exitStatus, std::nullopt);
    QCOMPARE(line.file, path(u"given.scp"_s));

    // The desktop identity does not move the user's settings: a run with the user's own store,
    // in a home of the test's, leaves them where every earlier version kept them.
    m_window.reset();
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&home] { qputenv("XDG_CONFIG_HOME", home); });
    qputenv("XDG_CONFIG_HOME", m_folder->path().toLocal8Bit());
    sw::setApplicationIdentity();
    // Checked before the window writes anything, so a test never writes the user's own file.
    QCOMPARE(sw::openUserSettings()->fileName(), path(u"Stepwright/Stepwright.conf"_s));
    sw::MainWindow window(std::make_unique<FakeDialogs>());
    window.show();
    QVERIFY(window.close());
    QCOMPARE(QSettings(path(u"Stepwright/Stepwright.conf"_s), QSettings::IniFormat).childGroups(),
             QStringList{u"Data"_s});
}

// Written after a change, never on the way of the Set itself; gone once the work is saved or
// given up.
void FileCommandsTest::copyFollowsUnsavedChanges()
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
void FileCommandsTest::startOffersALeftCopy()
{
    for (const sw::Answer answer : {sw::Answer::Yes, sw::Answer::No, sw::Answer::Cancel}) {
        startAfresh();
        openAndChangeLine1();
        QTRY_COMPARE(copies().size(), 1);
        const QStringList changed = state().mid(0, 2) + state().mid(3) + items();
        m_window.reset();
        start({answer});
        QCOMPARE(m_dialogs->questions.size(), 1);
        QVERIFY(m_dialogs->questions[0].contains(path(u"Line1.scp"_s)));
        // Yes: as after an Open of the file, with the changes unsaved. Cancel: kept, and
        // offered again by the next start.
        if (answer == sw::Answer::Yes)
            QCOMPARE(state().mid(0, 2) + state().mid(3) + items(), changed);
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

void FileCommandsTest::endRequestKeepsTheWork_data()
{
    QTest::addColumn<int>("signal");
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGKILL}) // a kill is as a crash
        QTest::addRow("%s", strsignal(signal)) << signal;
}

// The editor runs as a child of its own; a kill ends it without a question and its step is
// offered by the next start.
void FileCommandsTest::endRequestKeepsTheWork()
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
    QCOMPARE(items().value(2), u"BufferClear  //:(1)"_s);
    QVERIFY(m_window->document().Is_Script_Changed());
}

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "editor") == 0)
        return runEditor(argc, argv);
    QApplication app(argc, argv);
    FileCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_file_commands.moc"
