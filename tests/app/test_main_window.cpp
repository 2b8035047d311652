#include "app/commands/edit_history.h"
#include "app/controls/app_style.h"
#include "app/controls/field_note.h"
#include "app/controls/key_table.h"
#include "app/controls/window_layout.h"
#include "script/script_snapshot.h"
#include "window_harness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Each panel's Set button, its fields and lists other than their first entries (split at the
// blanks), and its line.
const QList<std::tuple<QString, QString, QString>> Steps{
    {u"cmdIN"_s, u"cmbINIO=IN4 cmbINLevel=OFF txtINComm=in txtTout="_s,
     u"Input , IN4 , OFF , 0  // in:(1)"_s},
    {u"cmdOut"_s, u"cmbOutIO=OUT3 cmbOutLevel=OFF txtOutComm=out"_s,
     u"Output , OUT3 , OFF  // out:(2)"_s},
    {u"cmdwait"_s, u"txtWait=7 txtWaitComm=wait"_s, u"Wait , 7  // wait:(3)"_s},
    {u"cmdDev"_s, u"cmbDev=Read txtDevComm=dev"_s, u"Read  // dev:(4)"_s},
    {u"cmdYIM"_s, u"txtYIM=MOD txtYIMComm=yim"_s, u"SelectModule , MOD.YIM  // yim:(5)"_s},
    {u"cmdLoad"_s, u"txtLoad=A/B.HEX txtLoadComm=load"_s, u"LoadFile , A/B.HEX  // load:(6)"_s},
    {u"cmdF2"_s, u"txtF2Comm=clear"_s, u"BufferClear  // clear:(7)"_s},
    {u"cmdProbe"_s, u"cmbProbe=ProbeSelect txtProbeComm=p"_s, u"ProbeSelect  // p:(8)"_s},
};

} // namespace

class MainWindowTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void focusFieldsAndMenu();
    void panelsSetAndLoadBackTheirSteps();
    void listFollowsTheFlowView();
    void layoutFollowsTheWindowSize();
    void undoAndRedoRetraceRandomEdits();
    void keysDriveTheWindow();

private:
    // Three Wait steps, of 1, 2 and 3.
    void setWaits() const
    {
        for (const QString& time : {u"1"_s, u"2"_s, u"3"_s}) {
            entries({u"txtWait="_s + time}, true);
            click(u"cmdwait"_s);
        }
    }
    sw::ScriptSnapshot snapshot() const { return sw::takeSnapshot(m_window->document()); }
    // The steps of the flow shown, numbered in order, by their time or name; then what the
    // Wait panel holds and the last file dialog.
    QString keyState() const
    {
        QString state;
        const QStringList shown = items();
        for (qsizetype i = 2; i < shown.size() - 1; i += 2) {
            if (!shown[i].endsWith(u":(%1)"_s.arg(i / 2)))
                return shown[i] + u" misnumbered"_s;
            state += shown[i].section(u"  //"_s, 0, 0).remove(u"Wait , "_s) + u' ';
        }
        const QWidget* focus = QApplication::focusWidget();
        return state + u'|' + find<QLineEdit>(u"txtWait"_s)->text() + u'|' +
               m_dialogs->requests.value(m_dialogs->requests.size() - 1).section(u'|', 0, 0) +
               (m_window->isVisible() ? u""_s : u" closed"_s) + u'@' +
               QString::number(m_window->document().view().selected()) + u' ' +
               (focus ? focus->objectName() : u"-"_s);
    }
    QPoint rowCentre(int row) const
    {
        return flowList()->visualRect(flowList()->model()->index(row, 0)).center();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(flowList()->viewport(), Qt::LeftButton, modifiers, rowCentre(row));
    }
    void doubleClickRow(int row) const
    {
        // A double-click comes after a click, as from a real mouse.
        clickRow(row);
        QTest::mouseDClick(flowList()->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
};

void MainWindowTest::focusFieldsAndMenu()
{
    // The focus runs down the panels' fields, the Set buttons, the list and its buttons; Tab
    // leaves every field, the filtered ones too. A screen reader tells each control apart by
    // its name.
    find(u"cmbMode"_s)->setFocus();
    QStringList order{u"cmbMode"_s};
    QSet<QString> spoken;
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
        spoken << QApplication::focusWidget()->accessibleName();
    }
    QCOMPARE(spoken.size(), 30);
    QVERIFY(spoken.contains(u"Normal mode script flow"_s) && !spoken.contains(QString()));
    QCOMPARE(order.join(u' '),
             u"cmbMode cmbINIO cmbINLevel txtINComm txtTout cmbOutIO cmbOutLevel txtOutComm "
             "txtWait txtWaitComm cmbDev txtDevComm txtYIM txtYIMComm txtLoad txtLoadComm "
             "txtF2Comm cmbProbe txtProbeComm cmdIN cmdOut cmdwait cmdDev cmdYIM cmdLoad cmdF2 "
             "cmdProbe lstScript cmdUP cmdDown cmdDelete"_s);

    m_window->menu().mnuVersion->trigger();
    QCOMPARE(m_dialogs->versionsShown, 1);
    // F1 shows the table of keys, the README's (the manual page's is made from it when built).
    QTest::keyClick(m_window.get(), Qt::Key_F1);
    QCOMPARE(m_dialogs->keysShown, 1);
    QFile readme(QStringLiteral(STEPWRIGHT_TEST_DATA "/../../README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    QString table;
    for (const sw::KeyRow& row : sw::keyTable())
        table += u"| %1 | %2 | %3 |\n"_s.arg(row.keys, row.where, row.what);
    QVERIFY(table.count(u'\n') > 15 && text.contains(u"|---|---|---|\n"_s + table + u'\n'));

    // A comment refuses ":", a time field all but five digits (tidied when the focus leaves it),
    // and a name is upper-cased; any field refuses what a script file cannot hold, typed or
    // pasted. A refusal says why at the field, until the next key.
    QApplication::clipboard()->setText(u"\u03A9"_s);
    for (const auto& [typed, note] : {std::pair{u"txtINComm=a:b"_s, sw::CommentColonNote},
                                      {u"txtYIM=abc.yim"_s, {}},
                                      {u"txtTout=0x250"_s, sw::DigitsOnlyNote},
                                      {u"txtWait=123456"_s, sw::DigitsOnlyNote},
                                      {u"txtLoadComm=\u03A9"_s, sw::CodePageNote},
                                      {u"txtLoad=\u20AC"_s, {}}}) {
        auto* field = find<QLineEdit>(typed.section(u'=', 0, 0));
        field->setFocus();
        field->paste();
        QCOMPARE(QToolTip::text(), QString(sw::CodePageNote));
        for (const QChar c : typed.section(u'=', 1)) // any character, as a keyboard layout types it
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, c, Qt::NoModifier);
        QTRY_COMPARE(QToolTip::text(), QString(note));
        QTest::keyClick(field, Qt::Key_End); // gone well before the note's own four seconds
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::text().isEmpty(), 2000);
    }
    QCOMPARE(entries({u"txtINComm"_s, u"txtYIM"_s, u"txtTout"_s, u"txtWait"_s, u"txtLoadComm"_s,
                      u"txtLoad"_s}),
             (QStringList{u"txtINComm=ab"_s, u"txtYIM=ABC.YIM"_s, u"txtTout=250"_s,
                          u"txtWait=12345"_s, u"txtLoadComm="_s, u"txtLoad=\u20AC"_s}));
    // A Set that needs a time or a name says so at its empty field.
    entries({u"txtYIM="_s}, true);
    click(u"cmdYIM"_s);
    QCOMPARE(QToolTip::text() + QApplication::focusWidget()->objectName(),
             QString(sw::ModuleNameNeeded) + u"txtYIM"_s);
}

void MainWindowTest::panelsSetAndLoadBackTheirSteps()
{
    // Each Set button puts its panel's step into the flow and writes back what it adjusted.
    QList<QStringList> afterSet;
    for (const auto& [button, values, line] : Steps) {
        const QStringList fields = values.split(u' ');
        entries(fields, true);
        click(button);
        QCOMPARE(items().at(2 * afterSet.size() + 2), line);
        afterSet << entries(fields);
    }

    // A double-click loads each step back into its cleared panel as Set left it; on a
    // connector it loads the line above. The panel's title alone is marked, and its first
    // field has the focus, until a Set.
    const auto marked = [this] { // the panels whose title is marked, then the focus
        QStringList shown;
        for (const QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->palette().color(QPalette::Window) == sw::LoadedColour)
                shown << label->parentWidget()->objectName();
        }
        return shown << QApplication::focusWidget()->objectName();
    };
    m_window->Reset_Entry_Panels();
    for (int i = 0; i < afterSet.size(); ++i) {
        QVERIFY(entries(afterSet[i]) != afterSet[i]);
        doubleClickRow(2 * i + 3);
        QCOMPARE(entries(afterSet[i]), afterSet[i]);
        const QString first = afterSet[i][0].section(u'=', 0, 0);
        QCOMPARE(marked(), (QStringList{find(first)->parentWidget()->objectName(), first}));
    }
    click(u"cmdF2"_s);
    QCOMPARE(marked(), QStringList{u"cmdF2"_s});
    // Shift with a Set button replaces the selected step instead.
    m_window->document().view().select(4);
    clickShifted(u"cmdwait"_s);
    QCOMPARE(items().at(4), u"Wait , 7  // wait:(2)"_s);

    // A flow of 515 items takes no more steps, and the panel stays as it was: the empty
    // timeout is not filled in.
    for (qsizetype count = items().size(); count < 515; count += 2)
        find<QPushButton>(u"cmdF2"_s)->click();
    entries({u"txtTout="_s}, true);
    click(u"cmdIN"_s);
    QCOMPARE(items().size(), 515);
    QCOMPARE(entries({u"txtTout"_s}), QStringList{u"txtTout="_s});

    // A step that cannot be read back says so.
    m_window->document().view().setItems(
        {u"(Start)"_s, u"     |"_s, u"Input , IN7 , ON , 5  //:(1)"_s, u"     |"_s, u"(End)"_s});
    doubleClickRow(2);
    QCOMPARE(m_dialogs->criticals,
             (QStringList{u"Number of commands is a maximum."_s, u"Unexpected error."_s}));
}

void MainWindowTest::listFollowsTheFlowView()
{
    setWaits();
    // A click on a connector selects the line above it; Ctrl+click does not deselect.
    clickRow(3);
    QCOMPARE(selected(), 2);
    clickRow(2, Qt::ControlModifier);
    QCOMPARE(selected(), 2);

    // Shift+click makes a run, which a drag takes above a line's middle or below it; a place
    // inside or right around the run moves nothing.
    clickRow(4, Qt::ShiftModifier);
    QCOMPARE(QPoint(m_window->document().view().anchor(), selected()), QPoint(2, 4));
    QList<int> places;
    for (const int row : {0, 3, 6, 7})
        for (const int half : {-4, 4})
            places << flowList()->dropPlace(rowCentre(row) + QPoint(0, half));
    QCOMPARE(places, (QList<int>{-1, -1, -1, -1, -1, 8, 8, 8}));
    Q_EMIT flowList()->moveRequested(8);
    QCOMPARE(keyState(), u"3 1 2 |3|@6 lstScript"_s);
    QTest::keySequence(flowList(), QKeySequence::Undo);
    clickRow(2);

    // The arrow keys step from line to line and stop at "(End)" and "(Start)".
    QList<int> visited;
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                              Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}) {
        QTest::keyClick(flowList(), key);
        visited << selected();
    }
    QCOMPARE(visited, (QList<int>{4, 6, 8, 8, 6, 4, 2, 0, 0}));

    // Random clicks anywhere in the list (lines, connectors, the empty area below the last
    // line), keys and commands: the highlighted rows are always the flow view's line or run,
    // and its selected line is wholly in sight.
    QListView* list = flowList();
    QList<QKeyCombination> keys;
    for (const QString& key : u"Up|Down|Del|Home|End|PgUp|PgDown|Ctrl+Space|Shift+Up|Shift+Down|"
                              "Ctrl+D"_s.split(u'|'))
        keys << QKeySequence(key)[0];
    const QStringList buttons{u"cmdF2"_s, u"cmdF2"_s, u"cmdUP"_s, u"cmdDown"_s, u"cmdDelete"_s};
    const QList<Qt::KeyboardModifiers> clickModifiers{Qt::NoModifier, Qt::NoModifier,
                                                      Qt::ControlModifier, Qt::ShiftModifier};
    QRandomGenerator random(7);
    for (int step = 0; step < 400; ++step) {
        if (const int kind = random.bounded(3); kind == 0) {
            const QPoint at(random.bounded(list->viewport()->width()),
                            random.bounded(list->viewport()->height()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton,
                              clickModifiers[random.bounded(clickModifiers.size())], at);
        } else if (kind == 1) {
            const QKeyCombination key = keys[random.bounded(keys.size())];
            QTest::keyClick(list, key.key(), key.keyboardModifiers());
        } else {
            click(buttons[random.bounded(buttons.size())]);
        }
        const int row = selected();
        QVERIFY2(row >= 0 && list->viewport()->rect().contains(
                                 list->visualRect(list->model()->index(row, 0))),
                 qPrintable(u"step %1: row %2"_s.arg(step).arg(row)));
    }

    // Each flow comes back with its selection and the lines in sight as it was left.
    for (int i = 0; i < 60; ++i)
        click(u"cmdF2"_s);
    const auto place = [&] { return QPoint(selected(), list->indexAt(QPoint(0, 0)).row()); };
    m_window->document().view().select(70);
    m_window->document().view().selectRun(70, 76);
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->value() - 3);
    const QPoint left = place();
    auto* mode = find<QComboBox>(u"cmbMode"_s);
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp}) {
        QTest::keyClick(list, key, Qt::ControlModifier);
        QCOMPARE(mode->currentIndex(), key == Qt::Key_PageDown ? 1 : 0);
    }
    QCOMPARE(place(), left);
    QCOMPARE(m_window->document().view().anchor(), 70);
}

void MainWindowTest::layoutFollowsTheWindowSize()
{
    const QList<std::tuple<double, double, QLatin1StringView, QString>> rows{
        // The design size: horizontal values as designed, the list's top 960 becomes 932.
        {14070, 11640, "lstScript"_L1, u"5535 8453 8160 932 12"_s},
        // The width factor 5/6, in single precision, puts 12 x 5/6 just below 10.
        {11725, 20000, "txtTout"_L1, u"912 633 2300 1622 9"_s},
        // The default start size: the height factor decides the font; captions size themselves.
        {14070, 10950, "cmbMode"_L1, u"2175 410 480 218 13"_s},
        {11725, 20000, "lblTout"_L1, u"- - 1100 1689 8"_s},
        // At 330 twips high heights and tops are 0 and fonts refused; lower, heights are refused
        // too and tops go negative.
        {14070, 330, "lstScript"_L1, u"5535 0 8160 0 -"_s},
        {14070, 200, "lstScript"_L1, u"5535 - 8160 -11 -"_s},
        // Far beyond any screen: refused, not wrapped round.
        {1e12, 1e12, "lstScript"_L1, u"- - - - -"_s},
    };
    const auto controls = sw::designControls();
    for (const auto& [width, height, name, expected] : rows) {
        const QLatin1StringView wanted = name;
        const auto control = std::find_if(controls.begin(), controls.end(),
                                          [wanted](const auto& c) { return c.name == wanted; });
        const sw::Placement p = sw::placeControl(*control, sw::layoutFactors(width, height));
        QStringList shown;
        for (const std::optional<int> value : {p.width, p.height, p.left, p.top, p.fontSize})
            shown << (value ? QString::number(*value) : u"-"_s);
        QCOMPARE(shown.join(u' '), expected);
    }
    // The window places its controls so, at the design size and below the height allowance.
    m_window->setOuterSizeTwips(14070, 11640);
    QTRY_COMPARE(flowList()->geometry(), QRect(544, 62, 369, 564));
    m_window->Layout_Controls(21105, 200);
    QCOMPARE(flowList()->geometry(), QRect(816, -1, 553, 564));
    QCOMPARE(find(u"cmdDelete"_s)->x(), 1212);
    // Larger: fonts follow the smaller factor, and the captions keep their text whole.
    m_window->setOuterSizeTwips(21105, 17460);
    QWidget* caption = find(u"lblLoadName"_s);
    QTRY_COMPARE(caption->font().pointSize(), 15);
    QCOMPARE(caption->size(), caption->sizeHint());
}

void MainWindowTest::undoAndRedoRetraceRandomEdits()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    entries({u"txtWait=5"_s, u"txtYIM=M"_s, u"txtLoad=F"_s}, true);
    auto* mode = find<QComboBox>(u"cmbMode"_s);

    // Each edit that changes the script is one step, kept with the states around it; the
    // selection and the flow shown move freely in between.
    QList<sw::ScriptSnapshot> before, after;
    const sw::ScriptSnapshot start = snapshot();
    for (int i = 0; i < 300; ++i) {
        const sw::ScriptSnapshot was = snapshot();
        const int count = m_window->document().view().count();
        const bool either = random.bounded(2);
        const sw::MainMenu& menu = m_window->menu();
        switch (random.bounded(10)) {
        case 0:
        case 1:
            click(std::get<0>(Steps[random.bounded(Steps.size())]));
            break;
        case 2: // a line, or a run by Shift with a click or an arrow
            if (random.bounded(2))
                m_window->document().view().select(random.bounded(count));
            else if (random.bounded(2))
                clickRow(random.bounded(count), Qt::ShiftModifier);
            else
                QTest::keyClick(flowList(), either ? Qt::Key_Up : Qt::Key_Down, Qt::ShiftModifier);
            break;
        case 6: // the clipboard's commands
            QList{menu.mnuCut, menu.mnuCopy, menu.mnuPaste, menu.mnuDuplicate}[random.bounded(4)]
                ->trigger();
            break;
        case 7: // Replace, by Shift with a Set button or from the menu
            if (either)
                clickShifted(std::get<0>(Steps[random.bounded(Steps.size())]));
            else
                menu.mnuReplace->trigger();
            break;
        case 8: {
            // A drag of the selected steps. Qt delivers drop events only inside a drag of the
            // window system, which a test has not; the list's own handling of them is to ask
            // for the move at the drop place.
            const QPoint at = rowCentre(random.bounded(count)) + QPoint(0, either ? 4 : -4);
            if (const int place = flowList()->dropPlace(at); place >= 0)
                Q_EMIT flowList()->moveRequested(place);
            break;
        }
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
        if (m_window->history().stack().count() > after.size()) {
            QVERIFY(snapshot().flows != was.flows); // only an edit that changes the script
            before << was;
            after << snapshot();
        }
        QCOMPARE(m_window->history().stack().count(), after.size());
    }
    QVERIFY(after.size() > 30);

    // Undo puts back each state before its edit, showing its flow in the selector too; redo
    // each state after it. Back at the start the script is unchanged; at the end changed.
    for (qsizetype i = after.size() - 1; i >= 0; --i) {
        QTest::keySequence(flowList(), QKeySequence::Undo);
        QCOMPARE(snapshot(), before[i]);
        QCOMPARE(mode->currentIndex(), before[i].shownFlow);
        QCOMPARE(selected(), before[i].selected);
    }
    QCOMPARE(snapshot().flows, start.flows);
    QVERIFY(!m_window->menu().mnuUndo->isEnabled());
    m_window->document().Harvest_Flow(mode->currentIndex());
    QVERIFY(!m_window->document().Is_Script_Changed());
    for (qsizetype i = 0; i < after.size(); ++i) {
        QTest::keySequence(flowList(), QKeySequence::Redo);
        QCOMPARE(snapshot(), after[i]);
        QCOMPARE(mode->currentIndex(), after[i].shownFlow);
    }
    m_window->document().Harvest_Flow(mode->currentIndex());
    QCOMPARE(m_window->document().Is_Script_Changed(), start.flows != after.last().flows);

    // The items name what they undo and redo; New starts a fresh history.
    QTest::keySequence(flowList(), QKeySequence::Undo);
    const QRegularExpression named(
        u"^Redo (Set .+ step|Move steps?( up| down)?|Delete step|(Cut|Paste|Duplicate) steps|"
        "Replace step)\\(&R\\)$"_s);
    QVERIFY2(named.match(m_window->menu().mnuRedo->text()).hasMatch(),
             qPrintable(m_window->menu().mnuRedo->text()));
    m_window->menu().mnuNew->trigger();
    QCOMPARE(m_window->menu().mnuUndo->text() + m_window->menu().mnuRedo->text(),
             u"Undo(&U)Redo(&R)"_s);
    // A pasted comment line takes no number, and still marks the caption.
    QApplication::clipboard()->setText(u"// note"_s);
    m_window->menu().mnuPaste->trigger();
    QCoreApplication::processEvents();
    QVERIFY(m_window->isWindowModified());
}

// Each row in a window of its own, whose flow holds three Wait steps with the middle one
// selected, and whose txtWait is empty. Each key goes to the widget the focus is in then; the
// state ends with the selected position and the focus.
void MainWindowTest::keysDriveTheWindow()
{
    const auto keys = [](auto... k) { return QKeySequence(QKeyCombination(k)...); };
    const auto standard = [](QKeySequence::StandardKey key) { return QKeySequence(key)[0]; };
    const QKeyCombination undo = standard(QKeySequence::Undo), copy = standard(QKeySequence::Copy),
                          cut = standard(QKeySequence::Cut), paste = standard(QKeySequence::Paste);
    // The focus and what is typed there, the keys, and the state afterwards.
    const QString list = u"lstScript"_s;
    for (const auto& [focus, sequence, expected] :
         {// Return on a step loads it back; in a field it sets its step.
          std::tuple{list, keys(Qt::Key_Return), u"1 2 3 |2|@4 txtWait"_s},
          {u"txtWait=9"_s, keys(Qt::Key_Return), u"1 2 9 3 |9|@6 txtWait"_s},
          // Undo in a time field, or in a comment field after its Set, takes back the Set.
          {u"txtWait=9"_s, keys(Qt::Key_Return, undo), u"1 2 3 |9|@4 txtWait"_s},
          {u"txtDevComm=x"_s, keys(Qt::Key_Return, undo), u"1 2 3 ||@4 txtDevComm"_s},
          // Return in a panel's list sets; Enter on a Set button and on UP.
          {u"cmbDev"_s, keys(Qt::Key_Return), u"1 2 EPR 3 ||@6 cmbDev"_s},
          {u"cmdF2"_s, keys(Qt::Key_Enter), u"1 2 BufferClear 3 ||@6 cmdF2"_s},
          {u"cmdUP"_s, keys(Qt::Key_Enter), u"2 1 3 ||@2 cmdUP"_s},
          // Ctrl+Down in a field (Ctrl+Up in the list below, with a run; the undo keys in the
          // random edits).
          {u"txtWaitComm"_s, keys(Qt::CTRL | Qt::Key_Down), u"1 3 2 ||@6 txtWaitComm"_s},
          // Save As, New, Exit.
          {list, QKeySequence(u"Ctrl+Shift+S"_s), u"1 2 3 ||Save File@4 lstScript"_s},
          {list, keys(standard(QKeySequence::New)), u"||@0 lstScript"_s},
          {list, QKeySequence(u"Ctrl+Q"_s), u"1 2 3 || closed@4 -"_s},
          // The Go menu's keys: a panel's first field, the flow list.
          {list, keys(Qt::CTRL | Qt::Key_3), u"1 2 3 ||@4 txtWait"_s},
          {u"txtWait"_s, keys(Qt::CTRL | Qt::Key_8), u"1 2 3 ||@4 cmbProbe"_s},
          {u"txtDevComm"_s, keys(Qt::Key_F6), u"1 2 3 ||@4 lstScript"_s},
          {u"cmbDev"_s, keys(Qt::CTRL | Qt::Key_L), u"1 2 3 ||@4 lstScript"_s},
          // Runs: Shift+Down, then Ctrl+Up moves the run; Shift+Up, then Delete deletes it.
          {list, keys(Qt::SHIFT | Qt::Key_Down, Qt::CTRL | Qt::Key_Up), u"2 3 1 ||@4 lstScript"_s},
          {list, keys(Qt::SHIFT | Qt::Key_Up, Qt::Key_Delete), u"3 ||@2 lstScript"_s},
          // Duplicate; the clipboard, within the flow and into the other flow.
          {list, keys(Qt::CTRL | Qt::Key_D), u"1 2 2 3 ||@6 lstScript"_s},
          {list, keys(copy, paste), u"1 2 2 3 ||@6 lstScript"_s},
          {list, keys(cut, paste), u"1 3 2 ||@6 lstScript"_s},
          {list, keys(copy, Qt::CTRL | Qt::Key_PageDown, paste), u"2 ||@2 lstScript"_s},
          // Replace: Return, a new value, Shift+Return; Shift+Return in a panel.
          {list, keys(Qt::Key_Return, Qt::Key_9, Qt::SHIFT | Qt::Key_Return),
           u"1 9 3 |9|@4 lstScript"_s},
          {u"cmbDev"_s, keys(Qt::SHIFT | Qt::Key_Enter), u"1 EPR 3 ||@4 lstScript"_s}}) {
        startAfresh();
        setWaits();
        entries({u"txtWait="_s}, true);
        m_window->document().view().select(4);
        find(focus.section(u'=', 0, 0))->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), focus.section(u'=', 1));
        for (int i = 0; i < sequence.count(); ++i)
            QTest::keyClick(QApplication::focusWidget(), sequence[i].key(),
                            sequence[i].keyboardModifiers());
        QCOMPARE(sequence.toString() + u": "_s + keyState(),
                 sequence.toString() + u": "_s + expected);
    }
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
