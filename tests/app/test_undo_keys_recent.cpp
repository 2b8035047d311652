#include "files/line_checks.h"
#include "script/script_snapshot.h"
#include "window_harness.h"

#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QStringList SetButtons{u"cmdIN"_s,  u"cmdOut"_s,  u"cmdwait"_s, u"cmdDev"_s,
                             u"cmdYIM"_s, u"cmdLoad"_s, u"cmdF2"_s,   u"cmdProbe"_s};

} // namespace

class UndoKeysRecentTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void undoAndRedoRetraceRandomEdits();
    void keysDriveTheWindow_data();
    void keysDriveTheWindow();
    void recentFilesReopenScripts();

private:
    sw::ScriptSnapshot snapshot() const { return sw::takeSnapshot(m_window->document()); }
    QString path(const QString& name) const { return m_folder->filePath(name); }
    void press(QWidget* widget, const QKeySequence& keys) const
    {
        for (int i = 0; i < keys.count(); ++i)
            QTest::keyClick(widget, keys[i].key(), keys[i].keyboardModifiers());
    }
    // The steps of the flow shown, then what the Wait panel holds and the last file dialog.
    QString state() const
    {
        const QStringList shown = items();
        QStringList steps;
        for (qsizetype i = 2; i < shown.size() - 1; i += 2)
            steps << shown[i];
        return steps.join(u';') + u" | wait="_s + find<QLineEdit>(u"txtWait"_s)->text() + u" | "_s +
               m_dialogs->requests.value(m_dialogs->requests.size() - 1).section(u'|', 0, 0) +
               (m_window->isVisible() ? u""_s : u" | closed"_s);
    }
    QStringList recentMenu() const
    {
        QStringList texts;
        for (QAction* action : m_window->menu().mnuRecent->actions())
            texts << action->text();
        return texts;
    }
};

void UndoKeysRecentTest::undoAndRedoRetraceRandomEdits()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    entries({u"txtWait=5"_s, u"txtYIM=M"_s, u"txtLoad=F"_s}, true);
    auto* mode = find<QComboBox>(u"cmbMode"_s);

    // Each edit that changes the script is one step, kept with the states around it; the
    // selection and the flow shown move freely in between.
    QList<sw::ScriptSnapshot> before{};
    QList<sw::ScriptSnapshot> after{};
    const sw::ScriptSnapshot start = snapshot();
    for (int i = 0; i < 150; ++i) {
        const sw::ScriptSnapshot was = snapshot();
        const int count = m_window->document().view().count();
        const bool either = random.bounded(2);
        switch (random.bounded(6)) {
        case 0:
        case 1:
            click(SetButtons[random.bounded(SetButtons.size())]);
            break;
        case 2:
            m_window->document().view().select(random.bounded(count));
            break;
        case 3:
            QTest::keyClick(mode, either ? Qt::Key_Down : Qt::Key_Up);
            break;
        case 4: // by button or by Ctrl+Up and Ctrl+Down
            if (random.bounded(2))
                click(either ? u"cmdUP"_s : u"cmdDown"_s);
            else
                QTest::keyClick(flowList(), either ? Qt::Key_Up : Qt::Key_Down,
                                Qt::ControlModifier);
            break;
        default:
            either ? click(u"cmdDelete"_s) : QTest::keyClick(flowList(), Qt::Key_Delete);
        }
        const sw::ScriptSnapshot now = snapshot();
        if (m_window->history().stack().count() > after.size()) {
            before << was;
            after << now;
        }
        QCOMPARE(m_window->history().stack().count(), after.size());
        for (const QStringList& flow : now.flows) {
            for (const QString& line : flow)
                QVERIFY2(sw::Check_Script_Line(line), qPrintable(line));
        }
    }
    QVERIFY(after.size() > 30);

    // Undo puts back each state before its edit, showing its flow in the selector too; redo
    // each state after it. Back at the start the script is unchanged; at the end changed.
    const QKeySequence undo(QKeySequence::Undo);
    const QKeySequence redo(QKeySequence::Redo);
    for (qsizetype i = after.size() - 1; i >= 0; --i) {
        press(flowList(), undo);
        QCOMPARE(snapshot(), before[i]);
        QCOMPARE(mode->currentIndex(), before[i].shownFlow);
        QCOMPARE(selected(), before[i].selected);
    }
    QCOMPARE(snapshot().flows, start.flows);
    QVERIFY(!m_window->menu().mnuUndo->isEnabled());
    m_window->document().Harvest_Flow(mode->currentIndex());
    QVERIFY(!m_window->document().Is_Script_Changed());
    for (qsizetype i = 0; i < after.size(); ++i) {
        press(flowList(), redo);
        QCOMPARE(snapshot(), after[i]);
        QCOMPARE(mode->currentIndex(), after[i].shownFlow);
    }
    m_window->document().Harvest_Flow(mode->currentIndex());
    QCOMPARE(m_window->document().Is_Script_Changed(), start.flows != after.last().flows);

    // The items name what they undo and redo; New starts a fresh history.
    press(flowList(), undo);
    const QRegularExpression named(
        u"^Redo (Set .+ step|Move step (up|down)|Delete step)\\(&R\\)$"_s);
    QVERIFY2(named.match(m_window->menu().mnuRedo->text()).hasMatch(),
             qPrintable(m_window->menu().mnuRedo->text()));
    m_window->menu().mnuNew->trigger();
    QCOMPARE(m_window->menu().mnuUndo->text() + m_window->menu().mnuRedo->text(),
             u"Undo(&U)Redo(&R)"_s);
}

void UndoKeysRecentTest::keysDriveTheWindow_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("expected");

    // The flow holds three Wait steps with the middle one selected, and txtWait is empty.
    const QString start = u"Wait , 1  //:(1);Wait , 2  //:(2);Wait , 3  //:(3)"_s;
    const auto row = [](const char* name, const QString& focus, const QString& typed,
                        const QKeySequence& keys, const QString& expected) {
        QTest::newRow(name) << focus << typed << keys << expected;
    };
    row("Return on a step loads it back", u"lstScript"_s, {}, QKeySequence(Qt::Key_Return),
        start + u" | wait=2 | "_s);
    row("Return in a field sets its panel's step", u"txtWait"_s, u"9"_s,
        QKeySequence(Qt::Key_Return),
        u"Wait , 1  //:(1);Wait , 2  //:(2);Wait , 9  //:(3);Wait , 3  //:(4) | wait=9 | "_s);
    row("Undo in a time field takes back its Set", u"txtWait"_s, u"9"_s,
        QKeySequence(QKeyCombination(Qt::Key_Return), QKeySequence(QKeySequence::Undo)[0]),
        start + u" | wait=9 | "_s);
    row("Return in a time field sets", u"txtTout"_s, u"7"_s, QKeySequence(Qt::Key_Enter),
        u"Wait , 1  //:(1);Wait , 2  //:(2);Input , IN0 , ON , 7  //:(3);Wait , 3  //:(4) | wait= | "_s);
    row("Return in a panel's list sets", u"cmbDev"_s, {}, QKeySequence(Qt::Key_Return),
        u"Wait , 1  //:(1);Wait , 2  //:(2);EPR  //:(3);Wait , 3  //:(4) | wait= | "_s);
    row("Enter on a Set button presses it", u"cmdF2"_s, {}, QKeySequence(Qt::Key_Enter),
        u"Wait , 1  //:(1);Wait , 2  //:(2);BufferClear  //:(3);Wait , 3  //:(4) | wait= | "_s);
    row("Enter on Delete deletes", u"cmdDelete"_s, {}, QKeySequence(Qt::Key_Enter),
        u"Wait , 1  //:(1);Wait , 3  //:(2) | wait= | "_s);
    row("Ctrl+Up in the list moves up", u"lstScript"_s, {},
        QKeySequence(QKeyCombination(Qt::CTRL, Qt::Key_Up)),
        u"Wait , 2  //:(1);Wait , 1  //:(2);Wait , 3  //:(3) | wait= | "_s);
    row("Ctrl+Down in a field moves down", u"txtWaitComm"_s, {},
        QKeySequence(QKeyCombination(Qt::CTRL, Qt::Key_Down)),
        u"Wait , 1  //:(1);Wait , 3  //:(2);Wait , 2  //:(3) | wait= | "_s);
    row("Delete, Undo, Redo", u"lstScript"_s, {},
        QKeySequence(QKeyCombination(Qt::Key_Delete), QKeySequence(QKeySequence::Undo)[0],
                     QKeySequence(QKeySequence::Redo)[0]),
        u"Wait , 1  //:(1);Wait , 3  //:(2) | wait= | "_s);
    row("Save As", u"lstScript"_s, {}, QKeySequence(u"Ctrl+Shift+S"_s),
        start + u" | wait= | Save File"_s);
    row("New", u"lstScript"_s, {}, QKeySequence::New, u" | wait= | "_s);
    row("Exit", u"lstScript"_s, {}, QKeySequence(u"Ctrl+Q"_s), start + u" | wait= |  | closed"_s);
}

void UndoKeysRecentTest::keysDriveTheWindow()
{
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, expected);
    for (const QString& time : {u"1"_s, u"2"_s, u"3"_s}) {
        entries({u"txtWait="_s + time}, true);
        click(u"cmdwait"_s);
    }
    entries({u"txtWait="_s}, true);
    m_window->document().view().select(4);

    QWidget* widget = find(focus);
    widget->setFocus();
    QTest::keyClicks(widget, typed);
    press(widget, keys);
    QCOMPARE(state(), expected);
}

void UndoKeysRecentTest::recentFilesReopenScripts()
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

QTEST_MAIN(UndoKeysRecentTest)
#include "test_undo_keys_recent.moc"
