#include "window_harness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString Base = u"KT615 Stepwright   V1.02"_s;
const QString Changed = u"Script Data Changed.\r\nSave Script File?"_s;
QString changedOnDisk(const QString& path)
{
    return u"The file \"%1\" was changed on disk since it was opened or last saved here.\r\n"
           "Overwrite it with this script?"_s.arg(path);
}
// The dialogs as FakeDialogs records them; options ConfirmOverwrite 1, PathMustExist 2,
// FileMustExist 4, HideReadOnly 8.
const QString LoadRequest = u"Load File|Script File (*.SCP)|*.scp|||12|"_s;
const QString QuestionRequest = u"Save Script File|Script File (*.SCP)|*.scp|||3|scp"_s;
QString saveRequest(const QString& folder)
{
    return u"Save File|Script File (*.scp)|*.scp|00Script.scp|%1|3|scp"_s.arg(folder);
}

} // namespace

class FileCommandsTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void unsavedChangesQuestion();
    void cancelKeepsEverything_data();
    void cancelKeepsEverything();
    void questionBoxKeys_data();
    void questionBoxKeys();
    void openNamesTheFileOrLeavesANewScript();
    void saveAndSaveAs();
    void roadAcrossRuns();

private:
    void showErrorFlow() const { QTest::keyClick(find(u"cmbMode"_s), Qt::Key_Down); }
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
    QString storedSetting(const QString& key) const
    {
        return settingsStore()->value(u"Data/"_s + key).toString();
    }
    // What the file commands keep: the caption behind the base one, the current file, the
    // folder for the dialogs, and whether the working copy differs from the saved one.
    QStringList state() const
    {
        return {m_window->windowTitle().remove(Base), m_window->currentFilePath(),
                m_window->settings().DefaultFile,
                m_window->document().Is_Script_Changed() ? u"changed"_s : u"saved"_s};
    }
    // Offers Yes to the question, then the given path (nothing: a cancel) to the dialog.
    void answerYes(const std::optional<QString>& file)
    {
        m_dialogs->answers << sw::Answer::Yes;
        m_dialogs->fileNames << file;
    }
};

void FileCommandsTest::unsavedChangesQuestion()
{
    m_window->menu().mnuNew->trigger();
    m_window->menu().mnuOpen->trigger(); // the load dialog is cancelled

    // Yes, then a cancelled dialog or a failed write: New, Open and the close end, the step
    // unsaved and the settings not stored.
    click(u"cmdF2"_s);
    answerYes(std::nullopt);
    m_window->menu().mnuNew->trigger();
    answerYes(path(u"missing/x.scp"_s));
    m_window->menu().mnuOpen->trigger();
    answerYes(std::nullopt);
    QVERIFY(!m_window->close());
    answerYes(path(u"missing/x.scp"_s));
    QVERIFY(!m_window->close());
    QCOMPARE(m_dialogs->criticals.size(), 2);
    QCOMPARE(storedSetting(u"FormWidth"_s), QString());

    // Yes and a bare name: written as .scp, and Open goes on to its dialog; the file written
    // is neither the current file nor the saved script.
    answerYes(path(u"kept"_s));
    m_window->menu().mnuOpen->trigger();
    QVERIFY(readFile(u"kept.scp"_s).contains("BufferClear  //:(1)"));
    QCOMPARE(state(), (QStringList{{}, {}, {}, u"changed"_s}));

    // No: the changes are dropped.
    m_window->menu().mnuNew->trigger();
    QCOMPARE(items().size(), 3);

    // Yes and a good path: the close writes the file and stores the first start's size.
    click(u"cmdF2"_s);
    answerYes(path(u"last.scp"_s));
    QVERIFY(m_window->close());
    QVERIFY(readFile(u"last.scp"_s).contains("BufferClear  //:(1)"));
    QCOMPARE(storedSetting(u"FormWidth"_s) + u'x' + storedSetting(u"FormHeight"_s),
             u"14070x10950"_s);
    QCOMPARE(m_dialogs->questions, QStringList(7, Changed));
    // No load dialog follows the failed write.
    QCOMPARE(m_dialogs->requests, (QStringList{LoadRequest} + QStringList(5, QuestionRequest) +
                                   QStringList{LoadRequest, QuestionRequest}));
}

void FileCommandsTest::cancelKeepsEverything_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << u"mnuNew"_s;
    QTest::newRow("Open") << u"mnuOpen"_s;
    QTest::newRow("Exit") << u"mnuExit"_s;
}

// Cancel to the unsaved-change question: the command ends with no dialog, the window stays
// open with its script, and nothing is stored.
void FileCommandsTest::cancelKeepsEverything()
{
    QFETCH(QString, command);
    writeFile(u"Line1.scp"_s, "(Start)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n");
    m_dialogs->fileNames << path(u"Line1.scp"_s);
    m_window->menu().mnuOpen->trigger();
    click(u"cmdF2"_s);
    m_window->document().Harvest_Flow(0); // as the command does first
    const QStringList before = state() + items();
    m_dialogs->requests.clear();

    m_dialogs->answers << sw::Answer::Cancel;
    find<QAction>(command)->trigger();
    QCOMPARE(m_dialogs->questions, QStringList{Changed});
    QCOMPARE(state() + items(), before);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_dialogs->requests.isEmpty());
    QCOMPARE(storedSetting(u"FormWidth"_s), QString());
}

void FileCommandsTest::questionBoxKeys_data()
{
    QTest::addColumn<int>("key"); // 0: the box's close button
    QTest::addColumn<sw::Answer>("answer");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << sw::Answer::Cancel;
    QTest::newRow("close button") << 0 << sw::Answer::Cancel;
    QTest::newRow("Return: the default") << int(Qt::Key_Return) << sw::Answer::Yes;
}

// The real box, as the user answers it.
void FileCommandsTest::questionBoxKeys()
{
    QFETCH(int, key);
    QFETCH(sw::Answer, answer);
    QTimer::singleShot(0, m_window.get(), [key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (key == 0)
            box->close();
        else
            QTest::keyClick(box, Qt::Key(key));
    });
    QCOMPARE(sw::WidgetDialogs(m_window.get()).questionWithCancel(Changed), answer);
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

    // A faulty file: a new script in Normal mode and no current file, so
    // a Save cannot write it over Line1.scp. Its folder is remembered.
    QVERIFY(QDir(m_folder->path()).mkdir(u"sub"_s));
    writeFile(u"sub/bad.scp"_s, "(Start)\r\n(End)\r\n-\r\nWait , 1  //:(1)\r\n");
    m_dialogs->fileNames << path(u"sub/bad.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(
        m_dialogs->criticals,
        QStringList{u"Script File Format Error. / Line 4: the flow does not begin with (Start)"_s});
    QCOMPARE(find<QComboBox>(u"cmbMode"_s)->currentIndex(), 0);
    QCOMPARE(state(), (QStringList{{}, {}, path(u"sub"_s), u"saved"_s}));
}

void FileCommandsTest::saveAndSaveAs()
{
    // A failed write keeps the script changed and names no file, but the folder is taken.
    click(u"cmdF2"_s);
    m_dialogs->fileNames << path(u"missing/a.scp"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->criticals.size(), 1);
    QCOMPARE(state(), (QStringList{{}, {}, path(u"missing"_s), u"changed"_s}));

    const QStringList named{u" - 00Script.scp"_s, path(u"00Script.scp"_s), m_folder->path(),
                            u"saved"_s};
    m_dialogs->fileNames << path(u"00Script.scp"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(state(), named);
    // A second Save writes the same file without a dialog.
    click(u"cmdF2"_s);
    m_window->menu().mnuSave->trigger();
    QVERIFY(readFile(u"00Script.scp"_s).contains("BufferClear  //:(2)"));
    // Someone saves it meanwhile: Save asks first; No writes nothing, Yes overwrites.
    writeFile(u"00Script.scp"_s, "theirs");
    click(u"cmdF2"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(readFile(u"00Script.scp"_s), "theirs");
    m_dialogs->answers << sw::Answer::Yes;
    m_window->menu().mnuSave->trigger();
    QVERIFY(readFile(u"00Script.scp"_s).contains("BufferClear  //:(3)"));
    QCOMPARE(m_dialogs->questions, QStringList(2, changedOnDisk(path(u"00Script.scp"_s))));

    // Save As proposes "00Script.scp" again; a cancel changes nothing.
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(state(), named);
    m_dialogs->fileNames << path(u"other"_s);
    m_window->menu().mnuSaveAs->trigger();
    QCOMPARE(state(),
             (QStringList{u" - other.scp"_s, path(u"other.scp"_s), m_folder->path(), u"saved"_s}));
    QCOMPARE(m_dialogs->requests,
             (QStringList{saveRequest({}), saveRequest(path(u"missing"_s)),
                          saveRequest(m_folder->path()), saveRequest(m_folder->path())}));

    // New leaves no current file and keeps the folder.
    m_window->menu().mnuNew->trigger();
    QCOMPARE(state(), (QStringList{{}, {}, m_folder->path(), u"saved"_s}));
}

void FileCommandsTest::roadAcrossRuns()
{
    // Steps in both flows; Save harvests the flow shown.
    entries({u"cmbINIO=IN2"_s, u"cmbINLevel=OFF"_s, u"txtINComm=door shut"_s, u"txtTout=250"_s},
            true);
    click(u"cmdIN"_s);
    entries({u"txtWait=100"_s}, true);
    click(u"cmdwait"_s);
    const QStringList normal = items();
    showErrorFlow();
    entries({u"cmbOutIO=OUT1"_s, u"txtOutComm=alarm"_s}, true);
    click(u"cmdOut"_s);
    const QStringList error = items();
    m_dialogs->fileNames << path(u"road"_s);
    m_window->menu().mnuSave->trigger();
    QCOMPARE(readFile(u"road.scp"_s),
             "(Start)\r\nInput , IN2 , OFF , 250  // door shut:(1)\r\nWait , 100  //:(2)\r\n"
             "(End)\r\n-\r\n(Start)\r\nOutput , OUT1 , ON  // alarm:(1)\r\n(End)\r\n-\r\n"_ba);

    // The saved script closes without a question. The next run has the size and the folder of
    // this one, and opens the same flows, each shown in its turn.
    m_window->setOuterSizeTwips(9000, 7500);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    QVERIFY(m_window->close());
    QVERIFY(m_dialogs->questions.isEmpty());
    start();
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(9000, 7500));
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
    m_dialogs->fileNames << path(u"road.scp"_s);
    m_window->menu().mnuOpen->trigger();
    QCOMPARE(items(), normal);
    showErrorFlow();
    QCOMPARE(items(), error);
    QCOMPARE(state(),
             (QStringList{u" - road.scp"_s, path(u"road.scp"_s), m_folder->path(), u"saved"_s}));
    // The file as opened is what a later Save compares with.
    writeFile(u"road.scp"_s, "theirs");
    m_window->menu().mnuSave->trigger();
    QCOMPARE(m_dialogs->questions, QStringList{changedOnDisk(path(u"road.scp"_s))});
    QCOMPARE(readFile(u"road.scp"_s), "theirs");

    // A stored width that is no number stops the reading there: the height holds, the width is
    // the platform's smallest, one pixel (the program sets no minimum of its own), and the folder
    // is empty for this run and the next.
    settingsStore()->setValue(u"Data/FormWidth"_s, u"abc"_s);
    start();
    QCOMPARE(m_window->outerSizeTwips().height(), 7500);
    QCOMPARE(m_window->width(), 1);
    QVERIFY(m_window->close());
    QCOMPARE(storedSetting(u"DefaultFile"_s), QString());
}

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
