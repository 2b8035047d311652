#include "app/main_window.h"
#include "fake_dialogs.h"
#include "temp_settings.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Base = u"KT615 Stepwright   V1.02"_s;
const QString Changed = u"Script Data Changed.\r\nSave Script File?"_s;
const QStringList NewFlow{u"(Start)"_s, u"(End)"_s};
// A file whose step tags are not 1, 2 ...: Open renumbers it, so it counts as changed.
const QByteArray Retagged =
    "(Start)\r\nBufferClear  //:(7)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n";

} // namespace

class FileCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // Each case starts as on a new machine.
        m_folder.emplace();
        m_settings.emplace();
        start();
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
    }

    void newAndOpenAskBeforeReplacingChanges();
    void openNamesTheFileOrLeavesANewScript();
    void saveAndSaveAs();
    void closeCheckOutcomes();
    void settingsAcrossRuns();
    void typicalRoad();

private:
    // A new run of the program on the same settings store.
    void start()
    {
        delete m_window;
        auto dialogs = std::make_unique<FakeDialogs>();
        m_dialogs = dialogs.get();
        m_window = new sw::MainWindow(std::move(dialogs), m_settings->open());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    template <class T> T* find(const QString& name) const { return m_window->findChild<T*>(name); }
    void click(const QString& button) const
    {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    void choose(const QString& list, int downs) const
    {
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(find<QComboBox>(list), Qt::Key_Down);
    }
    void type(const QString& field, const QString& text) const
    {
        find<QLineEdit>(field)->setFocus();
        QTest::keyClicks(find<QLineEdit>(field), text);
    }
    QString path(const QString& name) const { return m_folder->filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList stored(int flow) const
    {
        QStringList lines;
        for (const QString& line : m_window->document().store().flows[flow]) {
            if (line.isEmpty())
                break;
            lines << line;
        }
        return lines;
    }
    bool changed() const { return m_window->document().Is_Script_Changed(); }
    // Offers Yes to the question, then the given path (nothing: a cancel) to the dialog.
    void answerYes(const std::optional<QString>& file)
    {
        m_dialogs->answers << sw::Answer::Yes;
        m_dialogs->fileNames << file;
    }
    QVariant storedSetting(const QString& key) const
    {
        return m_settings->open()->value(u"Data/"_s + key);
    }

    std::optional<QTemporaryDir> m_folder;
    std::optional<TempSettings> m_settings;
    FakeDialogs* m_dialogs = nullptr;
    sw::MainWindow* m_window = nullptr;
};

void FileCommandsTest::newAndOpenAskBeforeReplacingChanges()
{
    m_window->menu().mnuNew->trigger();
    m_window->menu().mnuOpen->trigger(); // the load dialog is cancelled
    QVERIFY(m_dialogs->questions.isEmpty());
    QCOMPARE(m_dialogs->fileRequests.size(), 1);

    // Yes, then a cancelled dialog or a failed write: New ends, the steps stay unsaved.
    click(u"cmdF2"_s);
    answerYes(std::nullopt);
    m_window->menu().mnuNew->trigger();
    answerYes(path(u"missing/x.scp"_s));
    m_window->menu().mnuNew->trigger();
    answerYes(path(u"."_s)); // a folder
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->questions, QStringList(3, Changed));
    QCOMPARE(m_dialogs->criticals.size(), 2);
    QCOMPARE(stored(0).size(), 3);
    QVERIFY(changed());
    const sw::FileRequest question = m_dialogs->fileRequests.at(1);
    QCOMPARE(question.title, u"Save Script File"_s);
    QCOMPARE(question.filterDescription, u"Script File (*.SCP)"_s);
    QCOMPARE(question.pattern, u"*.scp"_s);
    QVERIFY(question.initialName.isEmpty() && question.folder.isEmpty());
    QCOMPARE(question.options, sw::FileOption::ConfirmOverwrite | sw::FileOption::PathMustExist);

    // Yes and a good name: the file is written, ".scp" added, and New goes on; the written
    // script does not become the current file.
    answerYes(path(u"kept"_s));
    m_window->menu().mnuNew->trigger();
    QCOMPARE(readFile(u"kept.scp"_s),
             "(Start)\r\nBufferClear  //:(1)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n"_ba);
    QCOMPARE(stored(0), NewFlow);
    QCOMPARE(m_window->windowTitle(), Base);
    QVERIFY(m_window->currentFilePath().isEmpty());
    QVERIFY(m_window->settings().DefaultFile.isEmpty());

    // No: the changes are simply dropped.
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::No;
    m_window->menu().mnuNew->trigger();
    QCOMPARE(stored(0), NewFlow);
    QVERIFY(!changed());
}

void FileCommandsTest::openNamesTheFileOrLeavesANewScript()
{
    writeFile(u"Line1.scp"_s, Retagged);
    find<QComboBox>(u"cmbMode"_s)->setFocus();
    choose(u"cmbMode"_s, 1);
    m_dialogs->fileNames << path(u"Line1.scp"_s);
    m_window->menu().mnuOpen->trigger();
    const sw::FileRequest load = m_dialogs->fileRequests.constLast();
    QCOMPARE(load.title, u"Load File"_s);
    QCOMPARE(load.filterDescription, u"Script File (*.SCP)"_s);
    QVERIFY(load.initialName.isEmpty());
    QVERIFY(load.folder.isEmpty()); // nothing chosen yet: the dialog's own default
    QCOMPARE(load.options, sw::FileOption::FileMustExist | sw::FileOption::HideReadOnly);
    QCOMPARE(m_window->windowTitle(), Base + u" - Line1.scp"_s);
    QCOMPARE(m_window->currentFilePath(), path(u"Line1.scp"_s));
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    // The selector stays on the Error mode flow, now from the file; the renumbered tag
    // counts as a change.
    QCOMPARE(find<QComboBox>(u"cmbMode"_s)->currentIndex(), 1);
    QCOMPARE(m_window->document().view().items(),
             (QStringList{u"(Start)"_s, u"     |"_s, u"(End)"_s}));
    QCOMPARE(m_window->document().view().selected(), 0);
    QCOMPARE(stored(0).at(1), u"BufferClear  //:(1)"_s);
    QVERIFY(changed());

    // A faulty file: a new script in Normal mode with reset panels and, unlike the file
    // before it, no current file, so a Save asks where to write. Its folder is remembered.
    QVERIFY(QDir(m_folder->path()).mkdir(u"sub"_s));
    writeFile(u"sub/bad.scp"_s, "(Start)\r\n(End)\r\n-\r\nWait , 1  //:(1)\r\n");
    find<QLineEdit>(u"txtWaitComm"_s)->setText(u"typed"_s);
    m_dialogs->answers << sw::Answer::No;
    m_dialogs->fileNames << path(u"sub/bad.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->criticals, QStringList{u"Script File Format Error."_s});
    QCOMPARE(m_dialogs->criticalDetails,
             QStringList{u"Line 4: the flow does not begin with (Start)"_s});
    QCOMPARE(find<QComboBox>(u"cmbMode"_s)->currentIndex(), 0);
    QVERIFY(find<QLineEdit>(u"txtWaitComm"_s)->text().isEmpty());
    QCOMPARE(stored(0), NewFlow);
    QVERIFY(!changed());
    QCOMPARE(m_window->windowTitle(), Base);
    QVERIFY(m_window->currentFilePath().isEmpty());
    QCOMPARE(m_window->settings().DefaultFile, path(u"sub"_s));
    m_window->menu().mnuSave->trigger(); // cancelled
    QCOMPARE(m_dialogs->fileRequests.constLast().title, u"Save File"_s);
    QCOMPARE(readFile(u"Line1.scp"_s), Retagged);

    // A file that cannot be read gives the file layer's reason, without a line.
    m_dialogs->fileNames << path(u"sub"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->criticals.size(), 2);
    QVERIFY(m_dialogs->criticals.constLast() != u"Script File Format Error."_s);
    QVERIFY(m_dialogs->criticalDetails.constLast().isEmpty());
}

void FileCommandsTest::saveAndSaveAs()
{
    // A failed write keeps the script changed and names no file, but the folder is taken.
    click(u"cmdF2"_s);
    m_dialogs->fileNames << path(u"missing/a.scp"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->criticals.size(), 1);
    QVERIFY(changed());
    QVERIFY(m_window->currentFilePath().isEmpty());
    QCOMPARE(m_window->windowTitle(), Base);
    QCOMPARE(m_window->settings().DefaultFile, path(u"missing"_s));

    m_dialogs->fileNames << path(u"00Script.scp"_s);
    m_window->menu().mnuSave->trigger();
    const sw::FileRequest save = m_dialogs->fileRequests.constLast();
    QCOMPARE(save.title, u"Save File"_s);
    QCOMPARE(save.filterDescription, u"Script File (*.scp)"_s);
    QCOMPARE(save.initialName, u"00Script.scp"_s);
    QCOMPARE(save.folder, path(u"missing"_s));
    QCOMPARE(save.options, sw::FileOption::ConfirmOverwrite | sw::FileOption::PathMustExist);
    QCOMPARE(save.defaultSuffix, u"scp"_s);
    QCOMPARE(m_window->windowTitle(), Base + u" - 00Script.scp"_s);
    QVERIFY(!changed());
    QCOMPARE(m_window->document().saved().flows[0][1], u"BufferClear  //:(1)"_s);

    // A second Save writes the same file without a dialog.
    click(u"cmdF2"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->fileRequests.size(), 2);
    QVERIFY(readFile(u"00Script.scp"_s).contains("BufferClear  //:(2)"));

    // Save As proposes "00Script.scp" again; a cancel changes nothing.
    click(u"cmdF2"_s);
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(m_dialogs->fileRequests.constLast().initialName, u"00Script.scp"_s);
    QCOMPARE(m_window->currentFilePath(), path(u"00Script.scp"_s));
    m_dialogs->fileNames << path(u"other"_s);
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(m_window->currentFilePath(), path(u"other.scp"_s));
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    QVERIFY(readFile(u"other.scp"_s).contains("BufferClear  //:(3)"));
}

void FileCommandsTest::closeCheckOutcomes()
{
    // Yes, then a cancelled dialog or a failed write: the window, the work and the settings
    // stay as they were.
    click(u"cmdF2"_s);
    const QStringList items = m_window->document().view().items();
    answerYes(std::nullopt);
    QVERIFY(!m_window->close());
    answerYes(path(u"missing/x.scp"_s));
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->document().view().items(), items);
    QVERIFY(!storedSetting(u"FormWidth"_s).isValid());

    // Yes and a good path writes and closes, the settings stored; the file does not become
    // the current one.
    answerYes(path(u"last"_s));
    QVERIFY(m_window->close());
    QVERIFY(readFile(u"last.scp"_s).contains("BufferClear  //:(1)"));
    QCOMPARE(storedSetting(u"FormWidth"_s).toString(), u"14070"_s);
    QCOMPARE(storedSetting(u"FormHeight"_s).toString(), u"10950"_s);
    QVERIFY(m_window->currentFilePath().isEmpty());

    // No closes without writing.
    start();
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::No;
    QVERIFY(m_window->close());
    QCOMPARE(m_dialogs->fileRequests.size(), 0);

    // Unchanged: Exit asks nothing.
    start();
    m_window->menu().mnuExit->trigger();
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_dialogs->questions.isEmpty());
}

void FileCommandsTest::settingsAcrossRuns()
{
    // A first start, on an empty store: the design width, the short default height.
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(14070, 10950));
    QVERIFY(m_window->settings().DefaultFile.isEmpty());
    const QRect available = m_window->screen()->availableGeometry();

    // A restart brings back the size and the folder, not the position.
    m_window->setOuterSizeTwips(9000, 7500);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    m_dialogs->fileNames << path(u"s.scp"_s);
    m_window->menu().mnuSave->trigger();
    m_window->move(available.topLeft());
    QVERIFY(m_window->close());
    start();
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    QVERIFY(available.contains(m_window->frameGeometry()));
    QVERIFY(m_window->frameGeometry().topLeft() != available.topLeft());

    // A width that is no number stops the reading there: the height holds, the width is the
    // smallest that keeps the menu whole, and the folder is empty for this run and the next.
    auto store = m_settings->open();
    store->setValue(u"Data/FormWidth"_s, u"abc"_s);
    store.reset();
    start();
    QCOMPARE(m_window->outerSizeTwips().height(), 7500);
    QCOMPARE(m_window->minimumSize(), m_window->menuBar()->sizeHint());
    QCOMPARE(m_window->size().width(), m_window->minimumWidth());
    QVERIFY(available.contains(m_window->frameGeometry()));
    QVERIFY(m_window->settings().DefaultFile.isEmpty());
    QVERIFY(m_window->close());
    QCOMPARE(storedSetting(u"DefaultFile"_s).toString(), QString());

    // A size far beyond the screen fills it; one below nothing is the smallest window.
    for (const QString& size : {u"1e300"_s, u"-500"_s}) {
        store = m_settings->open();
        store->setValue(u"Data/FormWidth"_s, size);
        store->setValue(u"Data/FormHeight"_s, size);
        store.reset();
        start();
        if (size == u"1e300"_s)
            QCOMPARE(m_window->frameGeometry(), available);
        else
            QCOMPARE(m_window->size(), m_window->minimumSize());
        QVERIFY(available.contains(m_window->frameGeometry()));
    }
}

void FileCommandsTest::typicalRoad()
{
    // The Normal mode flow: an Input step with choices and typed fields, and a Wait step.
    find<QComboBox>(u"cmbINIO"_s)->setFocus();
    choose(u"cmbINIO"_s, 2);
    choose(u"cmbINLevel"_s, 1);
    type(u"txtINComm"_s, u"door shut"_s);
    type(u"txtTout"_s, u"0250"_s);
    click(u"cmdIN"_s);
    type(u"txtWait"_s, u"100"_s);
    click(u"cmdwait"_s);
    // The Error mode flow: an Output step.
    find<QComboBox>(u"cmbMode"_s)->setFocus();
    choose(u"cmbMode"_s, 1);
    choose(u"cmbOutIO"_s, 1);
    type(u"txtOutComm"_s, u"alarm"_s);
    click(u"cmdOut"_s);

    m_dialogs->fileNames << path(u"road"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(readFile(u"road.scp"_s), "(Start)\r\n"
                                      "Input , IN2 , OFF , 250  // door shut:(1)\r\n"
                                      "Wait , 100  //:(2)\r\n"
                                      "(End)\r\n"
                                      "-\r\n"
                                      "(Start)\r\n"
                                      "Output , OUT1 , ON  // alarm:(1)\r\n"
                                      "(End)\r\n"
                                      "-\r\n"_ba);
    const QStringList normal = stored(0);
    const QStringList error = stored(1);

    // Opened in a fresh window, the same flows come back, each shown in its turn.
    QVERIFY(m_window->close());
    start();
    m_dialogs->fileNames << path(u"road.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QVERIFY(m_dialogs->criticals.isEmpty());
    QCOMPARE(m_window->document().view().items().at(2), normal.at(1));
    QCOMPARE(m_window->document().view().items().at(4), normal.at(2));
    find<QComboBox>(u"cmbMode"_s)->setFocus();
    choose(u"cmbMode"_s, 1);
    QCOMPARE(m_window->document().view().items().at(2), error.at(1));
    QCOMPARE(stored(0), normal);
    QVERIFY(!changed());
    QCOMPARE(m_window->windowTitle(), Base + u" - road.scp"_s);
}

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
