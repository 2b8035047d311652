#include "app/desktop/app_identity.h"
#include "app/desktop/command_line.h"
#include "files/recovery_copy.h"
#include "window_harness.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>

#include <csignal>
#include <cstdio>
#ifndef Q_OS_WIN // pipes, links, owners and signals: what only POSIX systems have
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#endif

using namespace Qt::StringLiterals;
using enum sw::Answer;

namespace {

// The dialogs as FakeDialogs records them: title|filter|pattern|name|folder|options|suffix,
// with the options ConfirmOverwrite 1, PathMustExist 2, FileMustExist 4, HideReadOnly 8.
const QString LoadRequest = u"Load File|Script File (*.SCP)|*.scp||%1|12|"_s;
const QString QuestionRequest = u"Save Script File|Script File (*.SCP)|*.scp|%1|%2|3|scp"_s;
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
    void openAndSaveAcrossRuns();
    void recentFilesReopenScripts();
    // Unsaved work that outlives the editor.
    void recoveryCopyOutlivesTheEditor();
    void unwritableCopyIsToldOnce();
    void droppedScriptsOpenAsOpen();
    // Last, as it gives the test program the editor's identity, and so its folders.
    void settingsStores();

private:
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
    // folder for the dialogs, and whether the working copy differs from the saved one, as the
    // caption's mark shows once the edit is over.
    QStringList state() const
    {
        QCoreApplication::processEvents();
        const bool changed = m_window->document().Is_Script_Changed();
        return {m_window->windowTitle().remove(BaseCaption).remove(u"[*]"_s),
                m_window->currentFilePath(), m_window->settings().DefaultFile,
                (changed ? u"changed"_s : u"saved"_s) +
                    (m_window->isWindowModified() == changed ? u""_s : u" unmarked"_s)};
    }
};

// The question proposes the current file; a cancel, a cancelled dialog or a failed write end
// the command and keep the window, its script and the settings as they were. A file saved
// there is neither the current file nor the saved script. Each row in a window of its own.
void FileCommandsTest::unsavedChangesQuestion()
{
    for (const QString& command : {u"mnuNew"_s, u"mnuOpen"_s, u"mnuExit"_s}) {
        // The file given to the question's dialog on Yes (empty: cancelled).
        for (const QString& file : {QString(), u"missing/x.scp"_s, u"kept"_s})
            for (const sw::Answer answer : file.isEmpty() ? QList{Cancel, Yes, No} : QList{Yes}) {
                const bool proceeds = answer == No || file == u"kept"_s;
                startAfresh();
                openAndChangeLine1();
                m_window->document().Harvest_Flow(0); // as the command does first
                const QStringList before = state() + items();
                m_dialogs->answers << answer;
                run(command, file);
                QCOMPARE(m_dialogs->questions, QStringList{ChangedQuestion});
                QCOMPARE(m_dialogs->criticals.size(), int(file.startsWith(u"missing"_s)));
                QCOMPARE(readFile(u"kept.scp"_s).contains("BufferClear  //:(1)"),
                         file == u"kept"_s);
                // Line1.scp's dialog, the question's on Yes, and Open's when it goes on.
                QCOMPARE(m_dialogs->requests.size(),
                         1 + int(answer == Yes) + int(proceeds && command == u"mnuOpen"_s));
                if (proceeds && command == u"mnuNew"_s)
                    QCOMPARE(items().size(), 3);
                else
                    QCOMPARE(state() + items(), before);
                QCOMPARE(m_window->isVisible(), !proceeds || command != u"mnuExit"_s);
                // Only an ended program stores its size: the first start's.
                QCOMPARE(storedSetting(u"FormWidth"_s) + storedSetting(u"FormHeight"_s),
                         m_window->isVisible() ? QString() : u"1407010950"_s);
            }
    }
    // The real box, as the user answers it: Escape and the close button cancel, Return takes
    // the default.
    for (const auto& [key, answer] :
         {std::pair{Qt::Key_Escape, Cancel}, {Qt::Key_unknown, Cancel}, {Qt::Key_Return, Yes}}) {
        QTimer::singleShot(0, m_window.get(), [key] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            key == Qt::Key_unknown ? void(box->close()) : QTest::keyClick(box, key);
        });
        QCOMPARE(sw::WidgetDialogs(m_window.get()).questionWithCancel(ChangedQuestion), answer);
    }
}

void FileCommandsTest::openAndSaveAcrossRuns()
{
    // The selector stays on the Error mode flow, now shown from the file; Open renumbers its
    // tags, which counts as a change.
    writeFile(u"Line1.scp"_s,
              "(Start)\r\n(End)\r\n-\r\n(Start)\r\nBufferClear  //:(7)\r\n(End)\r\n-\r\n");
    showErrorFlow();
    run(u"mnuOpen"_s, u"Line1.scp"_s);
    QCOMPARE(items().at(2), u"BufferClear  //:(1)"_s);
    QCOMPARE(selected(), 0);
    QCOMPARE(state(), (QStringList{u" - Line1.scp"_s, path(u"Line1.scp"_s), m_folder->path(),
                                   u"changed"_s}));

    // A faulty file: a new script in Normal mode and no current file, so a Save cannot write
    // it over Line1.scp. Its folder is remembered.
    QVERIFY(QDir(m_folder->path()).mkdir(u"sub"_s));
    writeFile(u"sub/bad.scp"_s, "(Start)\r\n(End)\r\n-\r\nWait , 1  //:(1)\r\n");
    run(u"mnuOpen"_s, u"sub/bad.scp"_s);
    QCOMPARE(entries({u"cmbMode"_s}), QStringList{u"cmbMode=Normal mode"_s});
    QCOMPARE(state(), (QStringList{{}, {}, path(u"sub"_s), u"saved"_s}));

    // A file refused before it is read is named in its box, the second one told.
    QVERIFY(QDir(m_folder->path()).mkdir(u"folder.scp"_s));
    run(u"mnuOpen"_s, u"folder.scp"_s);
    QCOMPARE(m_dialogs->criticals.value(1),
             u"Cannot open \"%1\".\r\nIs a folder, not a regular file."_s.arg(
                 displayed(u"folder.scp"_s)));

    // A failed Save keeps the script changed and names no file, but the folder is taken.
    run(u"mnuNew"_s);
    entries({u"cmbINIO=IN2"_s, u"cmbINLevel=OFF"_s, u"txtINComm=door shut"_s, u"txtTout=250"_s},
            true);
    click(u"cmdIN"_s);
    run(u"mnuSave"_s, u"missing/a.scp"_s);
    QCOMPARE(m_dialogs->criticals.size(), 3);
    QCOMPARE(state(), (QStringList{{}, {}, path(u"missing"_s), u"changed"_s}));

    // Steps in both flows; Save harvests the flow shown, and a second Save asks for nothing.
    const QStringList normal = items();
    showErrorFlow();
    entries({u"cmbOutIO=OUT1"_s, u"txtOutComm=alarm"_s}, true);
    click(u"cmdOut"_s);
    run(u"mnuSave"_s, u"road"_s);
    click(u"cmdwait"_s); // an empty time: nothing is set
    run(u"mnuSave"_s);
    const QStringList named{u" - road.scp"_s, path(u"road.scp"_s), m_folder->path(), u"saved"_s};
    QCOMPARE(state(), named);
    QCOMPARE(readFile(u"road.scp"_s),
             "(Start)\r\nInput , IN2 , OFF , 250  // door shut:(1)\r\n(End)\r\n-\r\n"
             "(Start)\r\nOutput , OUT1 , ON  // alarm:(1)\r\n(End)\r\n-\r\n"_ba);
    const QStringList error = items();

    // Save As proposes "00Script.scp" again; a cancel changes nothing.
    run(u"mnuSaveAs"_s);
    QCOMPARE(state(), named);
    QCOMPARE(m_dialogs->requests.mid(3), // after the three Opens'
             (QStringList{SaveRequest.arg(m_folder->path()), SaveRequest.arg(path(u"missing"_s)),
                          SaveRequest.arg(m_folder->path())}));

    // The saved script closes without a question. The next run has the size and the folder of
    // this one, and opens the same flows, each shown in its turn.
    m_window->setOuterSizeTwips(9000, 7500);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    QVERIFY(m_window->close() && m_dialogs->questions.size() == 1); // bad.scp's Open asked
    start();
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    run(u"mnuOpen"_s, u"road.scp"_s);
    QCOMPARE(m_dialogs->requests, QStringList{LoadRequest.arg(m_folder->path())});
    QCOMPARE(items(), normal);
    showErrorFlow();
    QCOMPARE(items(), error);
    QCOMPARE(state(), named);

    // The file as opened is what a Save compares with. Someone saves it meanwhile: Save asks
    // first; No writes nothing, Yes overwrites.
    click(u"cmdF2"_s);
    run(u"mnuSave"_s);
    writeFile(u"road.scp"_s, "theirs");
    run(u"mnuSave"_s);
    QCOMPARE(readFile(u"road.scp"_s), "theirs");
    m_dialogs->answers << Yes;
    run(u"mnuSave"_s);
    QVERIFY(readFile(u"road.scp"_s).contains("BufferClear"));
    const QString onDisk =
        u"The file \"%1\" was changed on disk since it was opened or last saved "
        u"here.\r\nOverwrite it with this script?"_s.arg(displayed(u"road.scp"_s));
    QCOMPARE(m_dialogs->questions, QStringList(2, onDisk));
    // So is a save over it from the unsaved-change question, though the Open is then cancelled.
    click(u"cmdF2"_s);
    m_dialogs->answers << Yes;
    run(u"mnuOpen"_s, u"road.scp"_s);
    run(u"mnuSave"_s);
    QCOMPARE(m_dialogs->questions.mid(2), QStringList{ChangedQuestion});

    // New leaves no current file and keeps the folder.
    run(u"mnuNew"_s);
    QCOMPARE(state(), (QStringList{{}, {}, m_folder->path(), u"saved"_s}));

    // A stored width that is no usable window's is taken as the default, and stored so; the
    // rest is read as ever.
    for (const QString& width :
         {u"abc"_s, u"-1"_s, u"0"_s, u"1"_s, u"nan"_s, u"inf"_s, u"1e-300"_s, u""_s}) {
        settingsStore()->setValue(u"Data/FormWidth"_s, width);
        start();
        QCOMPARE(m_window->outerSizeTwips(), QSizeF(14070, 7500));
        QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    }
    QVERIFY(m_window->close());
    QCOMPARE(storedSetting(u"FormWidth"_s), u"14070"_s);
}

void FileCommandsTest::recentFilesReopenScripts()
{
    // Nine scripts saved and opened: the last eight, most recent first, numbered.
    for (int i = 1; i <= 9; ++i)
        run(u"mnuSaveAs"_s, u"s%1.scp"_s.arg(i));
    run(u"mnuOpen"_s, u"s3.scp"_s);
    QStringList expected;
    for (int i : {3, 9, 8, 7, 6, 5, 4, 2})
        expected << u"&%1 %2"_s.arg(expected.size() + 1).arg(displayed(u"s%1.scp"_s.arg(i)));
    QCOMPARE(recentMenu(), expected);

    // The unsaved-change question proposes the current file in its folder.
    click(u"cmdF2"_s);
    m_dialogs->answers << Yes;
    m_dialogs->fileNames << path(u"s3.scp"_s);
    // A file gone since is dropped with a message, and nothing is asked.
    QVERIFY(QFile::remove(path(u"s9.scp"_s)));
    m_window->menu().mnuRecent->actions().at(1)->trigger();
    QCOMPARE(m_dialogs->criticals,
             QStringList{u"The script file no longer exists. / "_s + displayed(u"s9.scp"_s)});
    QVERIFY(m_dialogs->questions.isEmpty());

    // Choosing one is Open of it, after the question; the next run knows the list, and the
    // settings' own keys stay as they were.
    m_window->menu().mnuRecent->actions().at(2)->trigger();
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(m_dialogs->requests.last(), QuestionRequest.arg(u"s3.scp"_s, m_folder->path()));
    QCOMPARE(recentMenu().at(0), u"&1 "_s + displayed(u"s7.scp"_s));
    QVERIFY(m_window->close());
    start();
    QCOMPARE(recentMenu().at(1), u"&2 "_s + displayed(u"s3.scp"_s));
    QCOMPARE(settingsStore()->allKeys(),
             (QStringList{u"Data/DefaultFile"_s, u"Data/FormHeight"_s, u"Data/FormWidth"_s,
                          u"RecentFiles/Files"_s}));
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
        QList<QUrl> urls;
        for (const QString& file : files) {
            writeFile(QUrl(file).fileName(), TwoEmptyFlows);
            urls << QUrl::fromLocalFile(m_folder->path() + u'/').resolved(QUrl(file));
        }
        QMimeData data;
        data.setUrls(urls);
        data.setText(files.join(u'\n')); // as file managers do: a field would paste it
        click(u"cmdF2"_s);               // an unsaved change, so the question must come first

        // Shift proposes a move; the file manager must keep its file.
        const QPoint at = find(target)->rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
        QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
        for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), &drop}) {
            QApplication::sendEvent(find(target), event);
            QCOMPARE(event->isAccepted() && event->dropAction() == Qt::CopyAction, taken);
        }
        QTRY_COMPARE(m_window->currentFilePath(), taken ? urls[0].toLocalFile() : QString());
        QCOMPARE(m_dialogs->questions.size(), int(taken));
        QCOMPARE(entries({u"txtINComm"_s}), QStringList{u"txtINComm="_s});
    }
}

// A stale lock QSettings can neither take nor remove (a folder of its name, old) never holds up
// the window: the stores fail, the first is told without a box to answer, the work goes on.
void FileCommandsTest::settingsStores()
{
#ifdef Q_OS_WIN
    QSKIP("a settings lock that is an old folder is made with POSIX calls");
#else
    const QByteArray lock = QFile::encodeName(path(u"Stepwright.conf.lock"_s));
    const utimbuf longAgo{};
    QVERIFY(::mkdir(lock.constData(), 0755) == 0 && ::utime(lock.constData(), &longAgo) == 0);
    run(u"mnuSaveAs"_s, u"a.scp"_s);
    run(u"mnuSaveAs"_s, u"b.scp"_s);
    QCOMPARE(m_window->menu().mnuRecent->actions().size(), 2);
    QVERIFY(m_window->close());
    QCOMPARE(m_dialogs->notices.size(), 1);
    QVERIFY(m_dialogs->notices[0].contains(QString::fromUtf8(lock)));
    QVERIFY(settingsStore()->allKeys().isEmpty());

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
#endif
}

// The recovery copy of unsaved work, and the next start that offers it.
void FileCommandsTest::recoveryCopyOutlivesTheEditor()
{
    // Written after a change, never on the way of the Set itself; gone once the work is saved or
    // given up.
    for (const QString& end : {u"mnuSave"_s, u"mnuNew"_s, u"mnuExit"_s}) { // New, Exit: answered No
        click(u"cmdF2"_s);
        QVERIFY(copies().isEmpty());
        QTRY_COMPARE(copies().size(), 1);
        run(end, end == u"mnuSave"_s ? u"a.scp"_s : QString());
        QVERIFY(copies().isEmpty());
    }

    // An editor that ended without asking left its unsaved changes to Line1.scp. Yes restores them
    // unsaved, No discards the copy, Cancel keeps it for the next start. A copy Open would refuse,
    // or no file at all, is told with where it was set aside, never offered again, and the window
    // goes on with a new script.
#ifdef Q_OS_WIN
    const QStringList damages{QString(), u"enf"_s}; // pipes and /dev/zero are POSIX only
#else
    const QStringList damages{QString(), u"enf"_s, u"fifo"_s, u"zero"_s};
#endif
    for (const QString& damage : damages)
        for (const sw::Answer answer : damage.isEmpty() ? QList{Yes, No, Cancel} : QList{Yes}) {
            const bool damaged = !damage.isEmpty();
            const bool restored = answer == Yes && !damaged;
            const auto shown = [this] { return state().mid(0, 2) + state().mid(3) + items(); };
            startAfresh();
            const QStringList fresh = shown();
            openAndChangeLine1();
            QTRY_COMPARE(copies().size(), 1);
            const QStringList changed = shown();
            m_window.reset();
            const QString copy = QDir(sw::recoveryFolder()).filePath(copies().at(0));
            if (damage == u"enf"_s)
                writeFile(copy, readFile(copy).replace(QByteArray("\0d\0)", 4), {"\0f\0)", 4}));
#ifndef Q_OS_WIN
            const QByteArray native = QFile::encodeName(copy);
            QVERIFY(damage != u"fifo"_s || (QFile::remove(copy) && ::mkfifo(native, 0600) == 0));
            QVERIFY(damage != u"zero"_s ||
                    (QFile::remove(copy) && QFile::link(u"/dev/zero"_s, copy)));
            ::alarm(20); // a start that waits ends the test
#endif
            start({answer});
#ifndef Q_OS_WIN
            ::alarm(0);
#endif
            QCOMPARE(m_dialogs->questions.size(), int(!damaged));
            QCOMPARE(m_dialogs->criticals.size(), int(damaged));
            const QString told = (m_dialogs->questions + m_dialogs->criticals).at(0);
            QCOMPARE(QFileInfo::exists(copy + u".damaged"_s), damaged);
            QVERIFY2(
                damaged ? told.startsWith(u"The recovery copy \"%1\" cannot be restored"_s.arg(
                              displayed(copy))) &&
                              told.contains(u"It was kept as \"%1.damaged\""_s.arg(displayed(copy)))
                        : told.contains(displayed(u"Line1.scp"_s)),
                qPrintable(told));
            QCOMPARE(told.contains(u"\"(Enf)\" is neither (Start) nor (End)"_s),
                     damage == u"enf"_s);
            QCOMPARE(shown(), restored ? changed : fresh);
            QCOMPARE(copies().size(), int(!damaged && answer != No));
            // Restored from the file as it stands: Save asks nothing, and the copy goes. Otherwise
            // the next start offers only a copy kept.
            if (restored)
                run(u"mnuSave"_s);
            else
                start();
            QVERIFY(copies().isEmpty()); // Cancel's answered No this time
            QCOMPARE(m_dialogs->questions.size() + m_dialogs->criticals.size(),
                     int(!damaged && answer != No));
        }

#ifdef Q_OS_WIN
    QSKIP("signals to a child and file names that are no text are POSIX only");
#else
    // The editor runs as a child of its own; an end request, or a kill as a crash would, ends it
    // without a question, and its step is offered by the next start.
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGKILL}) {
        startAfresh();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, m_folder->path());
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(QCoreApplication::applicationFilePath(), {u"editor"_s});
        QTRY_VERIFY_WITH_TIMEOUT(editor.canReadLine(), 30000); // its step is set
        // Nothing catches a kill: only the copy written after the change is there.
        if (signal == SIGKILL)
            QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 30000);
        QCOMPARE(::kill(static_cast<pid_t>(editor.processId()), signal), 0);
        QVERIFY(editor.waitForFinished());
        QCOMPARE(editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0,
                 signal != SIGKILL);
        start({Yes});
        QVERIFY(m_dialogs->questions.value(0).contains(u"a new script"_s));
        QCOMPARE(items().value(2), u"BufferClear  //:(1)"_s);
    }

    // The file named on the command line, as a user types it in its folder, opens once the question
    // about left work is answered, not inside it, where a real box runs queued work; a name that is
    // no UTF-8 opens by its bytes, and as it could be saved only under another name, Save asks.
    struct ModalDialogs : FakeDialogs
    {
        sw::Answer questionWithCancel(const QString& text) override
        {
            QCoreApplication::processEvents();
            return FakeDialogs::questionWithCancel(text);
        }
    };
    QTRY_COMPARE(copies().size(), 1); // the restored work's, of the last run
    m_window.reset();
    char program[] = "stepwright";
    char name[] = "g\xff.scp";
    char* argv[] = {program, name, nullptr};
    const QByteArray native = QFile::encodeName(m_folder->path()) + '/' + name;
    const auto removeName = qScopeGuard([&native] { std::remove(native.constData()); });
    writeFile(u"g.scp"_s,
              "(Start)\r\nTargetProbe2  //:(1)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n");
    QCOMPARE(std::rename(QFile::encodeName(path(u"g.scp"_s)).constData(), native.constData()), 0);
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder->path());
    const sw::CommandLine line =
        sw::readCommandLine({u"stepwright"_s, QFile::decodeName(name)}, 2, argv);
    QDir::setCurrent(before);
    QCOMPARE(line.file, QFile::decodeName(native));
    QCOMPARE(line.nativeFile, native);

    // Restored; then No to the unsaved-change question.
    start({Yes}, std::make_unique<ModalDialogs>(), line.file, line.nativeFile);
    QTRY_COMPARE(items().value(2), u"TargetProbe2  //:(1)"_s);
    QCOMPARE(m_dialogs->questions.mid(1), QStringList{ChangedQuestion});
    QCOMPARE(m_window->currentFilePath(), QString());
#endif
}

// A copy that cannot be written is told once, without a box to answer, and written at a later
// change once it can: its folder another user's (the test works as nobody there), or full (a
// small tmpfs). A copy left there goes only once the restored work has a copy of its own.
void FileCommandsTest::unwritableCopyIsToldOnce()
{
#ifdef Q_OS_WIN
    QSKIP("another user (nobody) and a small tmpfs are POSIX only");
#else
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        QSKIP("only root can work as nobody and mount a file system");
    const QString folder = sw::recoveryFolder();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(m_folder->path(), QFile::Permissions(0x7711)));
    QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x7700)));
    QVERIFY(::seteuid(nobody->pw_uid) == 0);
    auto root = qScopeGuard([] { QVERIFY(::seteuid(0) == 0); });
    click(u"cmdF2"_s);
    QTRY_COMPARE(m_dialogs->notices.size(), 1);
    QVERIFY(m_dialogs->notices[0].contains(folder + u'/') &&
            m_dialogs->notices[0].contains(u"Permission denied"_s));
    click(u"cmdF2"_s);
    QTest::qWait(1500);
    QCOMPARE(m_dialogs->notices.size(), 1);
    root.dismiss();
    QVERIFY(::seteuid(0) == 0);
    click(u"cmdF2"_s);
    QTRY_COMPARE(copies().size(), 1);

    const QString left = copies().at(0);
    const QByteArray bytes = readFile(QDir(folder).filePath(left));
    m_window.reset();
    const QByteArray mount = QFile::encodeName(folder);
    const auto unmount = qScopeGuard([&] { m_window.reset(), ::umount2(mount, MNT_DETACH); });
    if (::mount("none", mount.constData(), "tmpfs", 0, "size=16k,mode=700") != 0)
        QSKIP("a tmpfs cannot be mounted here");
    writeFile(QDir(folder).filePath(left), bytes);
    // Room for one page: the left copy's lock, not a copy of its own.
    writeFile(QDir(folder).filePath(u"page"_s), QByteArray(4096, 'p'));
    QFile filler(QDir(folder).filePath(u"filler"_s));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) > 0) {
    }
    QVERIFY(QFile::remove(QDir(folder).filePath(u"page"_s)));
    start({Yes});
    QCOMPARE(m_dialogs->notices.size(), 1);
    QVERIFY(m_dialogs->notices[0].contains(u"No space left on device"_s));
    QCOMPARE(copies(), QStringList{left});
    QVERIFY(filler.remove());
    click(u"cmdF2"_s);
    QTRY_VERIFY(copies().size() == 1 && !copies().contains(left));
#endif
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
