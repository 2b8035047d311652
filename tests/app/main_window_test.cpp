#include "app/main_window.h"
#include "app/version_dialog.h"
#include "fake_dialogs.h"
#include "script/flow_editing.h"
#include "steps/panel_rules.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithANewScript();
    void menuAndVersionDialog();
    void keysPassTheFieldFilters();
    void everyPanelSetsItsStep();
    void fullFlowTakesNoMoreSteps();
    void listKeepsTheSelectionOnLines();
    void doubleClickLoadsEveryKindBack();
    void flowSelectorSwitchesFlows();
    void layoutFollowsTheWindowSize();

private:
    template <class T = QWidget> T* find(const QString& name) const
    {
        T* widget = m_window->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit* field(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* list(const QString& name) const { return find<QComboBox>(name); }
    void click(const QString& button) const
    {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    QListView* flowList() const { return find<QListView>(u"lstScript"_s); }
    QStringList items() const { return m_window->document().view().items(); }
    int selected() const { return m_window->document().view().selected(); }
    // The list shows the flow view's selection, and nothing else.
    void verifyListShowsSelection() const
    {
        const QItemSelectionModel* selection = flowList()->selectionModel();
        QCOMPARE(selection->currentIndex().row(), selected());
        QCOMPARE(selection->selectedRows().size(), selected() < 0 ? 0 : 1);
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QListView* view = flowList();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(index).center());
    }
    void doubleClickRow(int row) const
    {
        QListView* view = flowList();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        // A double-click comes after a click, as from a real mouse.
        const QPoint point = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, point);
    }

    FakeDialogs* m_dialogs = nullptr;
    sw::MainWindow* m_window = nullptr;
};

void MainWindowTest::init()
{
    auto dialogs = std::make_unique<FakeDialogs>();
    m_dialogs = dialogs.get();
    m_window = new sw::MainWindow(std::move(dialogs));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MainWindowTest::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void MainWindowTest::startsWithANewScript()
{
    QCOMPARE(m_window->windowTitle(), u"KT615 Stepwright   V1.02"_s);
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(14070, 10950));
    QCOMPARE(items(), (QStringList{u"(Start)"_s, u"     |"_s, u"(End)"_s}));
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();
    auto* heading = find<QLabel>(u"lblFlow"_s);
    QCOMPARE(heading->text(), u"Normal mode script flow"_s);
    QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(128, 0, 255));
    QCOMPARE(list(u"cmbMode"_s)->currentText(), u"Normal mode"_s);
    QCOMPARE(list(u"cmbINIO"_s)->count(), 5);
    QCOMPARE(list(u"cmbDev"_s)->itemText(5), u"Read"_s);
    QCOMPARE(list(u"cmbProbe"_s)->currentText(), u"TargetProbe1"_s);
    QVERIFY(!list(u"cmbOutLevel"_s)->isEditable());
    // The panels are named by their white titles only; the Set buttons show the arrow.
    QCOMPARE(find<QLabel>(u"lblLoad"_s)->text(), u"  Load File  (DOS to Buffer)"_s);
    QCOMPARE(find<QLabel>(u"lblLoad"_s)->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!find<QPushButton>(u"cmdProbe"_s)->icon().isNull());
    QVERIFY(find<QPushButton>(u"cmdProbe"_s)->text().isEmpty());

    // The focus runs down the panels' fields, the Set buttons, the list and its buttons.
    list(u"cmbMode"_s)->setFocus();
    QStringList order{u"cmbMode"_s};
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order,
             (QStringList{u"cmbMode"_s,   u"cmbINIO"_s,     u"cmbINLevel"_s,   u"txtINComm"_s,
                          u"txtTout"_s,   u"cmbOutIO"_s,    u"cmbOutLevel"_s,  u"txtOutComm"_s,
                          u"txtWait"_s,   u"txtWaitComm"_s, u"cmbDev"_s,       u"txtDevComm"_s,
                          u"txtYIM"_s,    u"txtYIMComm"_s,  u"txtLoad"_s,      u"txtLoadComm"_s,
                          u"txtF2Comm"_s, u"cmbProbe"_s,    u"txtProbeComm"_s, u"cmdIN"_s,
                          u"cmdOut"_s,    u"cmdwait"_s,     u"cmdDev"_s,       u"cmdYIM"_s,
                          u"cmdLoad"_s,   u"cmdF2"_s,       u"cmdProbe"_s,     u"lstScript"_s,
                          u"cmdUP"_s,     u"cmdDown"_s,     u"cmdDelete"_s}));
}

void MainWindowTest::menuAndVersionDialog()
{
    QStringList captions;
    for (QAction* menu : m_window->menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions())
            captions << (item->isSeparator() ? u"-"_s : item->text()) << item->objectName();
    }
    QCOMPARE(captions,
             (QStringList{u"File(&F)"_s, u"New(&N)"_s, u"mnuNew"_s, u"Open...(&O)"_s, u"mnuOpen"_s,
                          u"-"_s, u"mnuSep1"_s, u"Save(&S)"_s, u"mnuSave"_s, u"Save As...(&A)"_s,
                          u"mnuSaveAs"_s, u"-"_s, u"mnuSep2"_s, u"Exit(&X)"_s, u"mnuExit"_s,
                          u"Help(&H)"_s, u"Version(&V)"_s, u"mnuVersion"_s}));
    QVERIFY(m_window->menu().mnuSave->shortcut().isEmpty());

    m_window->menu().mnuVersion->trigger();
    QCOMPARE(m_dialogs->versionsShown, 1);

    // The dialog itself, opened without blocking; Escape and Enter both close it.
    for (const int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        sw::VersionDialog dialog(m_window);
        QCOMPARE(dialog.windowTitle(), u"Version"_s);
        QCOMPARE(dialog.findChild<QLabel*>(u"lblVersion"_s)->text(), u"1.02"_s);
        QCOMPARE(dialog.findChild<QLabel*>(u"Label2"_s)->text(), u"Stepwright"_s);
        QCOMPARE(dialog.findChild<QLabel*>(u"Picture1"_s)->pixmap().size(), QSize(32, 32));
        QCOMPARE(dialog.size(), QSize(289, 201));
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.isModal());
        QTest::keyClick(&dialog, Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
    }

    m_window->menu().mnuExit->trigger();
    QVERIFY(!m_window->isVisible());
}

void MainWindowTest::keysPassTheFieldFilters()
{
    QTest::keyClicks(field(u"txtINComm"_s), u"a:b"_s);
    QCOMPARE(field(u"txtINComm"_s)->text(), u"ab"_s);
    QLineEdit* wait = field(u"txtWait"_s);
    QTest::keyClicks(wait, u"1x2"_s);
    QCOMPARE(wait->text(), u"12"_s);
    QTest::keyClick(wait, Qt::Key_Backspace);
    QCOMPARE(wait->text(), u"1"_s);
    QTest::keyClicks(wait, u"234567"_s);
    QCOMPARE(wait->text(), u"12345"_s);
    QTest::keyClicks(field(u"txtYIM"_s), u"abc.yim"_s);
    QCOMPARE(field(u"txtYIM"_s)->text(), u"ABC.YIM"_s);
    QTest::keyClicks(field(u"txtLoad"_s), u"Ab_1"_s);
    QCOMPARE(field(u"txtLoad"_s)->text(), u"AB_1"_s);

    // Leaving a time field tidies its number; Tab still leaves it.
    QLineEdit* timeout = field(u"txtTout"_s);
    timeout->setFocus();
    QTest::keyClicks(timeout, u"00250"_s);
    QTest::keyClick(timeout, Qt::Key_Tab);
    QVERIFY(!timeout->hasFocus());
    QCOMPARE(timeout->text(), u"250"_s);
    timeout->setText(u"12ab"_s); // as pasted: no filter
    timeout->setFocus();
    wait->setFocus();
    QCOMPARE(timeout->text(), u"12"_s);
}

void MainWindowTest::everyPanelSetsItsStep()
{
    click(u"cmdIN"_s);
    QCOMPARE(field(u"txtTout"_s)->text(), u"0"_s);
    list(u"cmbOutIO"_s)->setCurrentIndex(1);
    list(u"cmbOutLevel"_s)->setCurrentIndex(1);
    field(u"txtOutComm"_s)->setText(u"lamp"_s);
    click(u"cmdOut"_s);
    click(u"cmdwait"_s); // no time: nothing happens, nothing is said
    field(u"txtWait"_s)->setText(u"100"_s);
    field(u"txtWaitComm"_s)->setText(u"settle"_s);
    click(u"cmdwait"_s);
    list(u"cmbDev"_s)->setCurrentIndex(1);
    field(u"txtDevComm"_s)->setText(u"main area"_s);
    click(u"cmdDev"_s);
    field(u"txtYIM"_s)->setText(u"ABC"_s);
    click(u"cmdYIM"_s);
    QCOMPARE(field(u"txtYIM"_s)->text(), u"ABC.YIM"_s);
    field(u"txtLoad"_s)->setText(u"A/B.HEX"_s);
    field(u"txtLoadComm"_s)->setText(u"raw\r\nlines"_s); // pasted
    click(u"cmdLoad"_s);
    QCOMPARE(field(u"txtLoadComm"_s)->text(), u"raw  lines"_s);
    click(u"cmdF2"_s);
    list(u"cmbProbe"_s)->setCurrentIndex(1);
    field(u"txtProbeComm"_s)->setText(u"second board"_s);
    click(u"cmdProbe"_s);
    QVERIFY(m_dialogs->criticals.isEmpty());

    QStringList lines;
    for (qsizetype i = 0; i < items().size(); i += 2)
        lines << items().at(i);
    QCOMPARE(lines,
             (QStringList{u"(Start)"_s, u"Input , IN0 , ON , 0  //:(1)"_s,
                          u"Output , OUT1 , OFF  // lamp:(2)"_s, u"Wait , 100  // settle:(3)"_s,
                          u"Program  // main area:(4)"_s, u"SelectModule , ABC.YIM  //:(5)"_s,
                          u"LoadFile , A/B.HEX  // raw  lines:(6)"_s, u"BufferClear  //:(7)"_s,
                          u"TargetProbe2  // second board:(8)"_s, u"(End)"_s}));
    QCOMPARE(selected(), 16);

    // With "(End)" selected further steps append before it, "(End)" staying selected.
    clickRow(18);
    click(u"cmdF2"_s);
    click(u"cmdwait"_s);
    QCOMPARE(items().at(18), u"BufferClear  //:(9)"_s);
    QCOMPARE(items().at(20), u"Wait , 100  // settle:(10)"_s);
    QCOMPARE(selected(), 22);
    verifyListShowsSelection();

    // A name that would not load again is refused and changes nothing in the script.
    const QStringList before = items();
    field(u"txtLoad"_s)->setText(u"MY FILE.HEX"_s);
    click(u"cmdLoad"_s);
    QCOMPARE(m_dialogs->criticals, QStringList{QString(sw::FileNameUnsafe)});
    QCOMPARE(items(), before);
}

void MainWindowTest::fullFlowTakesNoMoreSteps()
{
    auto* bufferClear = find<QPushButton>(u"cmdF2"_s);
    for (int step = 0; step < 256; ++step)
        bufferClear->click();
    QCOMPARE(items().size(), 515);
    QCOMPARE(items().at(512), u"BufferClear  //:(256)"_s);
    QVERIFY(m_dialogs->criticals.isEmpty());

    find<QPushButton>(u"cmdIN"_s)->click();
    QCOMPARE(m_dialogs->criticals, QStringList{u"Number of commands is a maximum."_s});
    QCOMPARE(field(u"txtTout"_s)->text(), QString());
    find<QPushButton>(u"cmdwait"_s)->click(); // an empty time stops first, silently
    QCOMPARE(m_dialogs->criticals.size(), 1);
    QCOMPARE(items().size(), 515);
}

void MainWindowTest::listKeepsTheSelectionOnLines()
{
    for (const QString& time : {u"1"_s, u"2"_s, u"3"_s}) {
        field(u"txtWait"_s)->setText(time);
        click(u"cmdwait"_s);
    }
    // A click on a connector selects the line above it; Ctrl+click does not deselect.
    clickRow(3);
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();
    clickRow(2, Qt::ControlModifier);
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();

    // The arrow keys step from line to line and stop at "(Start)" and "(End)".
    QListView* view = flowList();
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(selected(), 4);
    verifyListShowsSelection();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(selected(), 8);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(selected(), 6);
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();

    // UP and Down exchange lines and their numbers; the moved line stays selected.
    clickRow(6);
    click(u"cmdUP"_s);
    QCOMPARE(items().at(2), u"Wait , 1  //:(1)"_s);
    QCOMPARE(items().at(4), u"Wait , 3  //:(2)"_s);
    QCOMPARE(items().at(6), u"Wait , 2  //:(3)"_s);
    QCOMPARE(selected(), 4);
    click(u"cmdDown"_s);
    QCOMPARE(items().at(6), u"Wait , 3  //:(3)"_s);
    QCOMPARE(selected(), 6);
    click(u"cmdDown"_s); // the last step does not move below "(End)"
    QCOMPARE(selected(), 6);

    // The Delete key and the button both delete, and the next line is selected.
    clickRow(2);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(items().at(2), u"Wait , 2  //:(1)"_s);
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();
    click(u"cmdDelete"_s);
    click(u"cmdDelete"_s);
    QCOMPARE(items(), (QStringList{u"(Start)"_s, u"     |"_s, u"(End)"_s}));
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();
    click(u"cmdDelete"_s);
    QCOMPARE(items().size(), 3);
    QVERIFY(m_dialogs->criticals.isEmpty());
}

void MainWindowTest::doubleClickLoadsEveryKindBack()
{
    // Set one step of every kind with values other than the panels' first ones.
    struct Value
    {
        QString name;
        QString text; // a drop-down list's entry or a field's text
    };
    const QList<QList<Value>> panels{
        {{u"cmbINIO"_s, u"IN4"_s},
         {u"cmbINLevel"_s, u"OFF"_s},
         {u"txtINComm"_s, u"in"_s},
         {u"txtTout"_s, u"500"_s}},
        {{u"cmbOutIO"_s, u"OUT3"_s}, {u"cmbOutLevel"_s, u"OFF"_s}, {u"txtOutComm"_s, u"a/b"_s}},
        {{u"txtWait"_s, u"7"_s}, {u"txtWaitComm"_s, u" settle "_s}},
        {{u"cmbDev"_s, u"Read"_s}, {u"txtDevComm"_s, u"x//y"_s}},
        {{u"txtYIM"_s, u"C:MOD.YIM"_s}, {u"txtYIMComm"_s, u"mod"_s}},
        {{u"txtLoad"_s, u"A/B.HEX"_s}, {u"txtLoadComm"_s, {}}},
        {{u"txtF2Comm"_s, u"clear"_s}},
        {{u"cmbProbe"_s, u"ProbeSelect"_s}, {u"txtProbeComm"_s, u"p"_s}},
    };
    const auto show = [this](const QList<Value>& values) {
        QStringList shown;
        for (const Value& value : values) {
            if (value.name.startsWith(u"cmb"_s))
                shown << list(value.name)->currentText();
            else
                shown << field(value.name)->text();
        }
        return shown;
    };
    const QStringList buttons{u"cmdIN"_s,  u"cmdOut"_s,  u"cmdwait"_s, u"cmdDev"_s,
                              u"cmdYIM"_s, u"cmdLoad"_s, u"cmdF2"_s,   u"cmdProbe"_s};
    for (qsizetype i = 0; i < panels.size(); ++i) {
        for (const Value& value : panels[i]) {
            if (value.name.startsWith(u"cmb"_s))
                list(value.name)->setCurrentText(value.text);
            else
                field(value.name)->setText(value.text);
        }
        click(buttons[i]);
    }
    QVERIFY(m_dialogs->criticals.isEmpty());

    m_window->Reset_Entry_Panels();
    QCOMPARE(field(u"txtTout"_s)->text(), QString());
    QCOMPARE(list(u"cmbDev"_s)->currentIndex(), 0);
    for (qsizetype i = 0; i < panels.size(); ++i) {
        QStringList wanted;
        for (const Value& value : panels[i])
            wanted << value.text;
        // Connectors load the line above them.
        doubleClickRow(int(2 * i + 3));
        QCOMPARE(show(panels[i]), wanted);
    }
    const QStringList script = items();
    QCOMPARE(selected(), 16);

    // Start, end and comment lines load nothing; an unreadable step says so.
    m_window->document().view().setItems({u"(Start)"_s, u"     |"_s, u"// note"_s, u"     |"_s,
                                          u"Input , IN7 , ON , 5  //:(1)"_s, u"     |"_s,
                                          u"(End)"_s});
    for (int row : {0, 2, 6})
        doubleClickRow(row);
    QVERIFY(m_dialogs->criticals.isEmpty());
    doubleClickRow(4);
    QCOMPARE(m_dialogs->criticals, QStringList{u"Unexpected error."_s});
    QCOMPARE(selected(), 4);
    QVERIFY(script.size() > 3);
}

void MainWindowTest::flowSelectorSwitchesFlows()
{
    click(u"cmdF2"_s);
    QComboBox* mode = list(u"cmbMode"_s);
    auto* heading = find<QLabel>(u"lblFlow"_s);
    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(heading->text(), u"Error mode script flow"_s);
    QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(255, 10, 0));
    QVERIFY(heading->width() >= heading->sizeHint().width());
    QCOMPARE(items().size(), 3);
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();
    click(u"cmdIN"_s);
    click(u"cmdIN"_s);

    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_Up);
    QCOMPARE(heading->text(), u"Normal mode script flow"_s);
    QCOMPARE(items().at(2), u"BufferClear  //:(1)"_s);
    QCOMPARE(items().size(), 5);
    // Choosing the flow already shown keeps it and selects "(Start)".
    clickRow(2);
    Q_EMIT mode->activated(0);
    QCOMPARE(items().at(2), u"BufferClear  //:(1)"_s);
    QCOMPARE(selected(), 0);

    // The Error mode flow kept its two steps; resetting the panels shows Normal mode again.
    mode->setCurrentIndex(1);
    Q_EMIT mode->activated(1);
    QCOMPARE(items().size(), 7);
    m_window->Reset_Entry_Panels();
    QCOMPARE(mode->currentIndex(), 0);
    QCOMPARE(items().size(), 5);
    QCOMPARE(m_window->document().store().flows[1][2], u"Input , IN0 , ON , 0  //:(2)"_s);
}

void MainWindowTest::layoutFollowsTheWindowSize()
{
    auto* flow = flowList();
    auto* timeout = field(u"txtTout"_s);
    auto* remove = find<QPushButton>(u"cmdDelete"_s);
    // The design size: horizontal values as designed, the list's top 960 becomes 932 twips.
    m_window->setOuterSizeTwips(14070, 11640);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(14070, 11640));
    QCOMPARE(flow->geometry(), QRect(544, 62, 369, 564));
    QCOMPARE(flow->font().pointSize(), 12);
    QCOMPARE(list(u"cmbMode"_s)->font().pointSize(), 14);
    QCOMPARE(find<QLabel>(u"lblINPort"_s)->font().pointSize(), 10);
    // Inside a panel, relative to it.
    QCOMPARE(timeout->geometry(), QRect(184, 62, 73, 24));

    // Below the height allowance heights and fonts are refused; everything else is still set,
    // to the last control.
    m_window->Layout_Controls(21105, 200);
    QCOMPARE(flow->height(), 564);
    QCOMPARE(flow->y(), -1);
    QCOMPARE(timeout->font().pointSize(), 12);
    QCOMPARE(timeout->width(), 109);
    QCOMPARE(remove->x(), 1212);
    m_window->Layout_Controls(14070, 11640);
    QCOMPARE(flow->geometry(), QRect(544, 62, 369, 564));

    // Larger: everything grows with the window, fonts with the smaller factor.
    m_window->setOuterSizeTwips(21105, 17460);
    QTRY_COMPARE(remove->x(), 1212);
    QCOMPARE(flow->font().pointSize(), 18);
    QCOMPARE(list(u"cmbMode"_s)->font().pointSize(), 21);
    auto* caption = find<QLabel>(u"lblLoadName"_s);
    QCOMPARE(caption->font().pointSize(), 15);
    QCOMPARE(caption->size(), caption->sizeHint());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
