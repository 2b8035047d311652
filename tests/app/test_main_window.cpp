#include "app/main_window.h"
#include "app/version_dialog.h"
#include "fake_dialogs.h"
#include "steps/panel_rules.h"
#include "temp_settings.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUpMenuAndFocus();
    void versionDialog();
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
    // Fills fields and picks list entries, each given as "name=text".
    void fill(const QStringList& values) const
    {
        for (const QString& value : values) {
            const QString name = value.section(u'=', 0, 0);
            const QString text = value.section(u'=', 1);
            if (name.startsWith("cmb"_L1))
                list(name)->setCurrentText(text);
            else
                field(name)->setText(text);
        }
    }
    // What the fields and lists show, as "name=text".
    QStringList shown(const QStringList& values) const
    {
        QStringList texts;
        for (const QString& value : values) {
            const QString name = value.section(u'=', 0, 0);
            texts << name + u'=' +
                         (name.startsWith("cmb"_L1) ? list(name)->currentText()
                                                    : field(name)->text());
        }
        return texts;
    }
    QStringList items() const { return m_window->document().view().items(); }
    int selected() const { return m_window->document().view().selected(); }
    // The list shows the flow view's selection, and nothing else.
    void verifyListShowsSelection() const
    {
        const QItemSelectionModel* selection = find<QListView>(u"lstScript"_s)->selectionModel();
        QCOMPARE(selection->currentIndex().row(), selected());
        QCOMPARE(selection->selectedRows().size(), selected() < 0 ? 0 : 1);
    }
    QPoint rowCentre(int row) const
    {
        auto* view = find<QListView>(u"lstScript"_s);
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        return view->visualRect(index).center();
    }
    QWidget* rows() const { return find<QListView>(u"lstScript"_s)->viewport(); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(rows(), Qt::LeftButton, modifiers, rowCentre(row));
    }
    void doubleClickRow(int row) const
    {
        // A double-click comes after a click, as from a real mouse.
        clickRow(row);
        QTest::mouseDClick(rows(), Qt::LeftButton, {}, rowCentre(row));
        QTest::mouseRelease(rows(), Qt::LeftButton, {}, rowCentre(row));
    }

    TempSettings m_settings;
    FakeDialogs* m_dialogs = nullptr;
    sw::MainWindow* m_window = nullptr;
};

void MainWindowTest::init()
{
    auto dialogs = std::make_unique<FakeDialogs>();
    m_dialogs = dialogs.get();
    m_window = new sw::MainWindow(std::move(dialogs), m_settings.open());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MainWindowTest::cleanup()
{
    delete m_window;
}

void MainWindowTest::startUpMenuAndFocus()
{
    QCOMPARE(m_window->windowTitle(), u"KT615 Stepwright   V1.02"_s);
    QCOMPARE(m_window->outerSizeTwips(), QSizeF(14070, 10950));
    QCOMPARE(items(), (QStringList{u"(Start)"_s, u"     |"_s, u"(End)"_s}));
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();
    QCOMPARE(find<QLabel>(u"lblFlow"_s)->palette().color(QPalette::WindowText),
             QColor(128, 0, 255));
    QCOMPARE(list(u"cmbProbe"_s)->currentText(), u"TargetProbe1"_s);
    QVERIFY(!find<QPushButton>(u"cmdProbe"_s)->icon().isNull());

    QStringList captions;
    for (QAction* item : m_window->menuBar()->actions().constFirst()->menu()->actions())
        captions << item->text();
    QCOMPARE(captions.join(u'|'), u"New(&N)|Open...(&O)||Save(&S)|Save As...(&A)||Exit(&X)"_s);
    m_window->menu().mnuVersion->trigger();
    QCOMPARE(m_dialogs->versionsShown, 1);

    // The focus runs down the panels' fields, the Set buttons, the list and its buttons; Tab
    // leaves every field, the filtered ones too.
    list(u"cmbMode"_s)->setFocus();
    QStringList order{u"cmbMode"_s};
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order.join(u' '),
             u"cmbMode cmbINIO cmbINLevel txtINComm txtTout cmbOutIO cmbOutLevel txtOutComm "
             "txtWait txtWaitComm cmbDev txtDevComm txtYIM txtYIMComm txtLoad txtLoadComm "
             "txtF2Comm cmbProbe txtProbeComm cmdIN cmdOut cmdwait cmdDev cmdYIM cmdLoad cmdF2 "
             "cmdProbe lstScript cmdUP cmdDown cmdDelete"_s);

    m_window->menu().mnuExit->trigger();
    QVERIFY(!m_window->isVisible());
}

void MainWindowTest::versionDialog()
{
    // Opened without blocking; Escape and Enter both close it.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        sw::VersionDialog dialog(m_window);
        QCOMPARE(dialog.findChild<QLabel*>(u"lblVersion"_s)->text(), u"1.02"_s);
        QCOMPARE(dialog.findChild<QLabel*>(u"Picture1"_s)->pixmap().size(), QSize(32, 32));
        QCOMPARE(dialog.size(), QSize(289, 201));
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, key);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
    }
}

void MainWindowTest::keysPassTheFieldFilters()
{
    QTest::keyClicks(field(u"txtINComm"_s), u"a:b"_s);
    QCOMPARE(field(u"txtINComm"_s)->text(), u"ab"_s);
    QLineEdit* wait = field(u"txtWait"_s);
    QTest::keyClicks(wait, u"1x2"_s);
    QCOMPARE(wait->text(), u"12"_s);
    QTest::keyClick(wait, Qt::Key_Backspace);
    QTest::keyClicks(wait, u"234567"_s);
    QCOMPARE(wait->text(), u"12345"_s);
    QTest::keyClicks(field(u"txtYIM"_s), u"abc.yim"_s);
    QCOMPARE(field(u"txtYIM"_s)->text(), u"ABC.YIM"_s);

    // Leaving a time field tidies its number, also a pasted one.
    QLineEdit* timeout = field(u"txtTout"_s);
    timeout->setFocus();
    QTest::keyClicks(timeout, u"00250"_s);
    wait->setFocus();
    QCOMPARE(timeout->text(), u"250"_s);
    timeout->setText(u"12ab"_s);
    timeout->setFocus();
    wait->setFocus();
    QCOMPARE(timeout->text(), u"12"_s);
}

void MainWindowTest::everyPanelSetsItsStep()
{
    click(u"cmdIN"_s);
    QCOMPARE(field(u"txtTout"_s)->text(), u"0"_s);
    fill({u"cmbOutIO=OUT1"_s, u"cmbOutLevel=OFF"_s, u"txtOutComm=lamp"_s});
    click(u"cmdOut"_s);
    click(u"cmdwait"_s); // no time: nothing happens, nothing is said
    fill({u"txtWait=100"_s, u"txtWaitComm=settle"_s});
    click(u"cmdwait"_s);
    fill({u"cmbDev=Program"_s, u"txtDevComm=main area"_s});
    click(u"cmdDev"_s);
    fill({u"txtYIM=ABC"_s});
    click(u"cmdYIM"_s);
    QCOMPARE(field(u"txtYIM"_s)->text(), u"ABC.YIM"_s);
    fill({u"txtLoad=A/B.HEX"_s, u"txtLoadComm=raw\r\nlines"_s}); // as pasted
    click(u"cmdLoad"_s);
    QCOMPARE(field(u"txtLoadComm"_s)->text(), u"raw  lines"_s);
    click(u"cmdF2"_s);
    fill({u"cmbProbe=TargetProbe2"_s, u"txtProbeComm=second board"_s});
    click(u"cmdProbe"_s);
    QVERIFY(m_dialogs->criticals.isEmpty());

    QStringList lines;
    for (qsizetype i = 2; i < items().size() - 1; i += 2)
        lines << items().at(i);
    QCOMPARE(lines,
             (QStringList{u"Input , IN0 , ON , 0  //:(1)"_s, u"Output , OUT1 , OFF  // lamp:(2)"_s,
                          u"Wait , 100  // settle:(3)"_s, u"Program  // main area:(4)"_s,
                          u"SelectModule , ABC.YIM  //:(5)"_s,
                          u"LoadFile , A/B.HEX  // raw  lines:(6)"_s, u"BufferClear  //:(7)"_s,
                          u"TargetProbe2  // second board:(8)"_s}));
    QCOMPARE(selected(), 16);

    // With "(End)" selected further steps append before it, "(End)" staying selected.
    clickRow(18);
    click(u"cmdF2"_s);
    click(u"cmdwait"_s);
    QCOMPARE(items().at(20), u"Wait , 100  // settle:(10)"_s);
    QCOMPARE(selected(), 22);
    verifyListShowsSelection();

    // A name that would not load again is refused and changes nothing in the script.
    const QStringList before = items();
    fill({u"txtLoad=MY FILE.HEX"_s});
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
    clickRow(2, Qt::ControlModifier);
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();

    // The arrow keys step from line to line and stop at "(Start)" and "(End)".
    auto* view = find<QListView>(u"lstScript"_s);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(view, key);
    QCOMPARE(selected(), 8);
    verifyListShowsSelection();
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(selected(), 6);
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();

    // UP and Down move the selected line, which stays selected.
    clickRow(6);
    click(u"cmdUP"_s);
    QCOMPARE(items().at(4), u"Wait , 3  //:(2)"_s);
    QCOMPARE(selected(), 4);
    click(u"cmdDown"_s);
    QCOMPARE(selected(), 6);
    verifyListShowsSelection();

    // The Delete key and the button both delete, and the next line is selected.
    clickRow(2);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(items().at(2), u"Wait , 2  //:(1)"_s);
    QCOMPARE(selected(), 2);
    click(u"cmdDelete"_s);
    click(u"cmdDelete"_s);
    click(u"cmdDelete"_s);
    QCOMPARE(items().size(), 3);
    QCOMPARE(selected(), 2);
    verifyListShowsSelection();
}

void MainWindowTest::doubleClickLoadsEveryKindBack()
{
    // One step of every kind, with values other than the panels' first ones.
    const QList<std::pair<QString, QStringList>> steps{
        {u"cmdIN"_s, {u"cmbINIO=IN4"_s, u"cmbINLevel=OFF"_s, u"txtINComm=in"_s, u"txtTout=500"_s}},
        {u"cmdOut"_s, {u"cmbOutIO=OUT3"_s, u"cmbOutLevel=OFF"_s, u"txtOutComm=a/b"_s}},
        {u"cmdwait"_s, {u"txtWait=7"_s, u"txtWaitComm= settle "_s}},
        {u"cmdDev"_s, {u"cmbDev=Read"_s, u"txtDevComm=x//y"_s}},
        {u"cmdYIM"_s, {u"txtYIM=C:MOD.YIM"_s, u"txtYIMComm=mod"_s}},
        {u"cmdLoad"_s, {u"txtLoad=A/B.HEX"_s, u"txtLoadComm="_s}},
        {u"cmdF2"_s, {u"txtF2Comm=clear"_s}},
        {u"cmdProbe"_s, {u"cmbProbe=ProbeSelect"_s, u"txtProbeComm=p"_s}},
    };
    for (const auto& [button, values] : steps) {
        fill(values);
        click(button);
    }
    m_window->Reset_Entry_Panels();
    QCOMPARE(shown({u"txtTout"_s, u"cmbDev"_s}), (QStringList{u"txtTout="_s, u"cmbDev=EPR"_s}));
    for (int i = 0; i < steps.size(); ++i) {
        doubleClickRow(2 * i + 3); // a connector loads the line above it
        QCOMPARE(shown(steps[i].second), steps[i].second);
    }
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
    click(u"cmdIN"_s);
    click(u"cmdIN"_s);

    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_Up);
    QCOMPARE(heading->text(), u"Normal mode script flow"_s);
    QCOMPARE(items().at(2), u"BufferClear  //:(1)"_s);
    QCOMPARE(selected(), 0);
    verifyListShowsSelection();
    // Choosing the flow already shown keeps it and selects "(Start)".
    clickRow(2);
    Q_EMIT mode->activated(0);
    QCOMPARE(items().size(), 5);
    QCOMPARE(selected(), 0);

    // The Error mode flow kept its steps; resetting the panels shows Normal mode again.
    mode->setCurrentIndex(1);
    Q_EMIT mode->activated(1);
    QCOMPARE(items().size(), 7);
    m_window->Reset_Entry_Panels();
    QCOMPARE(mode->currentIndex(), 0);
    QCOMPARE(items().size(), 5);
}

void MainWindowTest::layoutFollowsTheWindowSize()
{
    auto* flow = find<QListView>(u"lstScript"_s);
    auto* timeout = field(u"txtTout"_s);
    auto* remove = find<QPushButton>(u"cmdDelete"_s);
    // The design size: horizontal values as designed, the list's top 960 becomes 932 twips.
    m_window->setOuterSizeTwips(14070, 11640);
    QTRY_COMPARE(m_window->outerSizeTwips(), QSizeF(14070, 11640));
    QCOMPARE(flow->geometry(), QRect(544, 62, 369, 564));
    QCOMPARE(timeout->geometry(), QRect(184, 62, 73, 24)); // inside its panel
    QCOMPARE(list(u"cmbMode"_s)->font().pointSize(), 14);
    QCOMPARE(find<QLabel>(u"lblINPort"_s)->font().pointSize(), 10);

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

    // Larger: everything grows with the window, fonts with the smaller factor, and the
    // captions keep their text whole.
    m_window->setOuterSizeTwips(21105, 17460);
    QTRY_COMPARE(remove->x(), 1212);
    QCOMPARE(flow->font().pointSize(), 18);
    auto* caption = find<QLabel>(u"lblLoadName"_s);
    QCOMPARE(caption->font().pointSize(), 15);
    QCOMPARE(caption->size(), caption->sizeHint());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
