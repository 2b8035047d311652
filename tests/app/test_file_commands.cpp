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
        find<QComboBox>(list)->setFocus();
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
    // What the file commands keep: the caption behind the base one, the current file, the
    // folder for the dialogs, and whether the working copy differs from the saved one.
    QStringList state() const
    {
        return {m_window->windowTitle().mid(Base.size()), m_window->currentFilePath(),
                m_window->settings().DefaultFile,
                m_window->document().Is_Script_Changed() ? u"changed"_s : u"saved"_s};
    }
    // Title, filter, pattern, name, folder, options (ConfirmOverwrite 1, PathMustExist 2,
    // FileMustExist 4, HideReadOnly 8) and suffix.
    static QString describe(const sw::FileRequest& r)
    {
        return QStringList{r.title,        r.filterDescription,
                           r.pattern,      r.initialName,
                           r.folder,       QString::number(r.options.toInt()),
                           r.defaultSuffix}
            .join(u'|');
    }
    // Offers Yes to the question, then the given path (nothing: a cancel) to the dialog.
    void answerYes(const std::optional<QString>& file)
    {
        m_dialogs->answers << sw::Answer::Yes;
        m_dialogs->fileNames << file;
    }
    // A new run after the sizes were stored as these texts.
    void restartWith(const QString& width, const QString& height)
    {
        auto store = m_settings->open();
        store->setValue(u"Data/FormWidth"_s, width);
        store->setValue(u"Data/FormHeight"_s, height);
        store.reset();
        start();
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

    // Yes, then a cancelled dialog or a failed write: New and Open end, the steps unsaved.
    click(u"cmdF2"_s);
    answerYes(std::nullopt);
    m_window->menu().mnuNew->trigger();
    answerYes(path(u"missing/x.scp"_s));
    m_window->menu().mnuNew->trigger();
    answerYes(path(u"."_s)); // a folder
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_dialogs->questions, QStringList(3, Changed));
    QCOMPARE(m_dialogs->criticals.size(), 2);
    QCOMPARE(m_dialogs->fileRequests.size(), 4); // no load dialog after a failed write
    QCOMPARE(stored(0).size(), 3);
    QCOMPARE(state(), (QStringList{{}, {}, {}, u"changed"_s}));
    QCOMPARE(describe(m_dialogs->fileRequests.at(1)),
             u"Save Script File|Script File (*.SCP)|*.scp|||3|scp"_s);

    // Yes and a bare name: written as .scp, and New goes on; it does not become the file.
    answerYes(path(u"kept"_s));
    m_window->menu().mnuNew->trigger();
    QCOMPARE(readFile(u"kept.scp"_s),
             "(Start)\r\nBufferClear  //:(1)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n"_ba);
    QCOMPARE(stored(0), NewFlow);
    QCOMPARE(state(), (QStringList{{}, {}, {}, u"saved"_s}));

    // No: the changes are dropped.
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::No;
    m_window->menu().mnuNew->trigger();
    QCOMPARE(stored(0), NewFlow);
}

void FileCommandsTest::openNamesTheFileOrLeavesANewScript()
{
    writeFile(u"Line1.scp"_s, Retagged);
    choose(u"cmbMode"_s, 1);
    m_dialogs->fileNames << path(u"Line1.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(describe(m_dialogs->fileRequests.constLast()),
             u"Load File|Script File (*.SCP)|*.scp|||12|"_s);
    // The selector stays on the Error mode flow, now from the file; the renumbered tag
    // counts as a change.
    QCOMPARE(state(), (QStringList{u" - Line1.scp"_s, path(u"Line1.scp"_s), m_folder->path(),
                                   u"changed"_s}));
    QCOMPARE(find<QComboBox>(u"cmbMode"_s)->currentIndex(), 1);
    QCOMPARE(m_window->document().view().selected(), 0);
    QCOMPARE(stored(0).at(1), u"BufferClear  //:(1)"_s);

    // A faulty file: a new script in Normal mode with reset panels and no current file, so
    // a Save asks where to write instead of overwriting Line1.scp. Its folder is remembered.
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
    QCOMPARE(state(), (QStringList{{}, {}, path(u"sub"_s), u"saved"_s}));
    m_window->menu().mnuSave->trigger(); // cancelled
    QCOMPARE(m_dialogs->fileRequests.constLast().title, u"Save File"_s);

    // A file that cannot be read gives the file layer's reason, without a line.
    m_dialogs->fileNames << path(u"sub"_s);
    m_window->menu().mnuOpen->trigger();
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
    QCOMPARE(state(), (QStringList{{}, {}, path(u"missing"_s), u"changed"_s}));

    m_dialogs->fileNames << path(u"00Script.scp"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(
        describe(m_dialogs->fileRequests.constLast()),
        u"Save File|Script File (*.scp)|*.scp|00Script.scp|%1|3|scp"_s.arg(path(u"missing"_s)));
    QCOMPARE(state(), (QStringList{u" - 00Script.scp"_s, path(u"00Script.scp"_s), m_folder->path(),
                                   u"saved"_s}));

    // A second Save writes the same file without a dialog.
    click(u"cmdF2"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->fileRequests.size(), 2);
    QVERIFY(readFile(u"00Script.scp"_s).contains("BufferClear  //:(2)"));

    // Save As proposes "00Script.scp" again, and a cancel changes nothing.
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(m_dialogs->fileRequests.constLast().initialName, u"00Script.scp"_s);
    QCOMPARE(m_window->currentFilePath(), path(u"00Script.scp"_s));
    m_dialogs->fileNames << path(u"other"_s);
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(m_window->currentFilePath(), path(u"other.scp"_s));
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

    // Yes and a good path writes and closes, the settings stored.
    answerYes(path(u"last.scp"_s));
    QVERIFY(m_window->close());
    QVERIFY(readFile(u"last.scp"_s).contains("BufferClear  //:(1)"));
    QCOMPARE(storedSetting(u"FormWidth"_s).toString(), u"14070"_s);
    QCOMPARE(storedSetting(u"FormHeight"_s).toString(), u"10950"_s);

    // No closes without writing; an unchanged script asks nothing, also through Exit.
    start();
    click(u"cmdF2"_s);
    m_dialogs->answers << sw::Answer::No;
    QVERIFY(m_window->close());
    QVERIFY(m_dialogs->fileRequests.isEmpty());
    start();
    m_window->menu().mnuExit->trigger();
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_dialogs->questions.isEmpty());
}

void FileCommandsTest::settingsAcrossRuns()
{
    // A first start, on an empty store: the design width, the short default height.
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(14070, 10950));
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
    QVERIFY(m_window->frameGeometry().topLeft() != available.topLeft());

    // A width that is no number stops the reading there: the height holds, the width is the
    // smallest that keeps the menu whole, and the folder is empty for this run and the next.
    restartWith(u"abc"_s, u"7500"_s);
    QCOMPARE(m_window->outerSizeTwips().height(), 7500);
    QCOMPARE(m_window->width(), m_window->menuBar()->sizeHint().width());
    QVERIFY(available.contains(m_window->frameGeometry()));
    QVERIFY(m_window->close());
    QCOMPARE(storedSetting(u"DefaultFile"_s).toString(), QString());

    // Out of range: a size beyond any screen fills the screen, one below nothing is the
    // smallest window, and each lies on the screen.
    restartWith(u"1e300"_s, u"1e300"_s);
    QCOMPARE(m_window->frameGeometry(), available);
    restartWith(u"-500"_s, u"-500"_s);
    QCOMPARE(m_window->size(), m_window->minimumSize());
    QVERIFY(available.contains(m_window->frameGeometry()));
}

void FileCommandsTest::typicalRoad()
{
    // The Normal mode flow: an Input step with choices and typed fields, and a Wait step.
    choose(u"cmbINIO"_s, 2);
    choose(u"cmbINLevel"_s, 1);
    type(u"txtINComm"_s, u"door shut"_s);
    type(u"txtTout"_s, u"0250"_s);
    click(u"cmdIN"_s);
    type(u"txtWait"_s, u"100"_s);
    click(u"cmdwait"_s);
    const QStringList normal = m_window->document().view().items();
    // The Error mode flow: an Output step; Save harvests the flow shown.
    choose(u"cmbMode"_s, 1);
    choose(u"cmbOutIO"_s, 1);
    type(u"txtOutComm"_s, u"alarm"_s);
    click(u"cmdOut"_s);
    const QStringList error = m_window->document().view().items();
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

    // Opened in a fresh window, the same flows come back, each shown in its turn.
    QVERIFY(m_window->close());
    start();
    m_dialogs->fileNames << path(u"road.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(m_window->document().view().items(), normal);
    choose(u"cmbMode"_s, 1);
    QCOMPARE(m_window->document().view().items(), error);
    QCOMPARE(state(),
             (QStringList{u" - road.scp"_s, path(u"road.scp"_s), m_folder->path(), u"saved"_s}));
}

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
