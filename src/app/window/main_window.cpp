#include "app/window/main_window.h"

#include "app/commands/edit_history.h"
#include "app/commands/script_recovery.h"
#include "app/controls/app_style.h"
#include "app/controls/flow_list_binding.h"
#include "app/controls/twips.h"
#include "app/desktop/app_version.h"
#include "app/desktop/recent_files.h"
#include "app/desktop/termination_signals.h"
#include "app/desktop/window_placement.h"
#include "app/window/unsaved_mark.h"
#include "files/file_paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace sw {

MainWindow::MainWindow(std::unique_ptr<UserDialogs> dialogs,
                       std::unique_ptr<QSettings> settingsStore)
    : m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<WidgetDialogs>(this)),
      m_controls(new QWidget(this)), m_panels(m_controls), m_menu(buildMainMenu(menuBar())),
      m_outerGeometry(new OuterGeometry(this, [this] { layoutToWindow(); })),
      m_settingsStore(settingsStore ? std::move(settingsStore) : openUserSettings()),
      m_history(new EditHistory(m_document, this)),
      m_unsavedMark(new UnsavedMark(this, m_document)),
      m_recent(new RecentFiles(*m_settingsStore, m_menu.mnuRecent, this)),
      m_files(m_document, *m_history, *m_dialogs, m_settings,
              [this] { return m_controls.modeList()->currentIndex(); }),
      m_editing(m_document, m_panels, *m_history, *m_dialogs, m_controls.flowList())
{
    setObjectName(u"frmMain"_s);
    setWindowIcon(appIcon());
    setColour(m_controls.clientArea(), QPalette::Window, PanelColour);
    setCentralWidget(m_controls.clientArea());
    connectControls();
    startUp();
    startRecovery();
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp()
{
    setWindowTitle(baseCaption() + UnsavedMarkPlace);
    // A stored size that is no usable window's is taken as the default, and nothing is said.
    Get_Registry_data(m_settings, *m_settingsStore);
    placeAtStart();
    showFlowHeading(0);
    m_document.FormLoading = true;
    m_panels.Fill_Choice_Lists();
    m_document.New_Script();
    m_document.FormLoading = false;
}

void MainWindow::placeAtStart()
{
    // The stored size as it stands, but never larger than the screen and never partly off it;
    // the settings hold no position.
    const QSizeF outer(m_settings.FormWidth * logicalDpiX() / TwipsPerInch,
                       m_settings.FormHeight * logicalDpiY() / TwipsPerInch);
    m_outerGeometry->place(placeOnScreen(outer, screen()->availableGeometry()));
    // At once rather than when shown: the captions take their size here.
    layoutToWindow();
}

void MainWindow::startRecovery()
{
    m_recovery = std::make_unique<ScriptRecovery>(m_document, m_files, *m_dialogs, nullptr);
    // After the recovery, which keeps its copy first.
    connect(&m_files, &FileSession::currentFileChanged, this, &MainWindow::showCurrentFile);
    // Once the window is up: the question stands over it, and a modal loop run before the
    // window is shown would leave the window manager a window it never saw sized.
    QTimer::singleShot(0, this, [this] {
        m_recovery->offerLeftCopies();
        if (m_startFile)
            m_files.openFile(m_startFile->first, m_startFile->second);
        m_startFile.reset();
    });
}

void MainWindow::openAtStart(const QString& path, const QByteArray& nativePath)
{
    m_startFile.emplace(path, nativePath);
}

void MainWindow::endOnTerminationSignals()
{
    connect(new TerminationSignals(this), &TerminationSignals::terminationRequested,
            m_recovery.get(), &ScriptRecovery::endWithoutAsking);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->setAccepted(m_recovery->ended() || closeCheck());
}

bool MainWindow::closeCheck()
{
    try {
        // A flow that cannot be harvested cannot be saved either: the window closes as it is.
        if (m_dialogs->showError(m_document.Harvest_Flow(m_controls.modeList()->currentIndex())))
            return true;
        // A failed write, a cancelled question or dialog keeps the window, the work and the
        // settings as they were.
        if (m_files.Ask_Save_Changes() != FileSession::SaveOutcome::Proceed)
            return false;
        const QSizeF outer = outerSizeTwips();
        m_settings.FormHeight = std::round(outer.height());
        m_settings.FormWidth = std::round(outer.width());
        tellSettingsFailure(Save_Registry_Data(m_settings, *m_settingsStore));
        // Saved or given up by the user's answer: nothing is left to recover.
        m_recovery->remove();
        return true;
    } catch (const std::exception& failure) {
        m_dialogs->critical(QString::fromLocal8Bit(failure.what()));
        return true;
    }
}

void MainWindow::commitData(QSessionManager& manager)
{
    // The session is ending: the same check as the close box, which may stop the end. Without
    // leave to ask, the work goes into the recovery copy, and the session manager decides alone.
    if (!manager.allowsInteraction()) {
        m_recovery->keepCopy();
        return;
    }
    const bool closed = close();
    manager.release();
    if (!closed)
        manager.cancel();
}

void MainWindow::showFlowHeading(int flowMode)
{
    const FlowHeading heading = flowHeading(flowMode);
    QLabel* label = m_controls.flowHeading();
    label->setText(heading.caption);
    setColour(label, QPalette::WindowText,
              QColor(heading.colour.red, heading.colour.green, heading.colour.blue));
    label->adjustSize();
    // The list's spoken name is its heading.
    m_controls.flowList()->setAccessibleName(heading.caption);
}

void MainWindow::showRestoredFlow(int flowMode)
{
    m_controls.modeList()->setCurrentIndex(flowMode);
    showFlowHeading(flowMode);
}

void MainWindow::cmbMode_Click()
{
    m_dialogs->runCommand([this] {
        if (m_document.FormLoading)
            return;
        const int position = m_controls.modeList()->currentIndex();
        showFlowHeading(position);
        // Each flow comes back as it was left: its selection and the lines in sight.
        m_document.keepTopRow(m_listBinding->topRow());
        for (const QString& failure : m_document.Switch_Flow(position))
            m_dialogs->critical(failure);
        m_listBinding->showFromRow(m_document.place().topRow);
    });
}

void MainWindow::switchFlow(int flowMode)
{
    if (flowMode == m_document.shownFlow())
        return;
    m_controls.modeList()->setCurrentIndex(flowMode);
    cmbMode_Click();
}

void MainWindow::Reset_Entry_Panels()
{
    m_panels.clearFields();
    // The selector's own reaction brings the Normal mode flow into view.
    m_controls.modeList()->setCurrentIndex(0);
    cmbMode_Click();
}

void MainWindow::tellSettingsFailure(const ErrorText& error)
{
    if (!error.isEmpty() && !std::exchange(m_settingsFailureTold, true))
        m_dialogs->notice(error);
}

void MainWindow::showCurrentFile(const QString& path)
{
    m_unsavedMark->update();
    if (path.isEmpty()) {
        setWindowTitle(baseCaption() + UnsavedMarkPlace);
        return;
    }
    m_recent->add(path);
    // A path without a folder part leaves the name empty; the dialogs never give one.
    QString name;
    Get_File_Name(path, name);
    setWindowTitle(fileCaption(name) + UnsavedMarkPlace);
}

QSizeF MainWindow::outerSizeTwips() const
{
    const QSize outer = m_outerGeometry->outerSize();
    return {pixelsToTwips(outer.width(), logicalDpiX()),
            pixelsToTwips(outer.height(), logicalDpiY())};
}

void MainWindow::setOuterSizeTwips(double width, double height)
{
    m_outerGeometry->place(
        {frameGeometry().topLeft(),
         QSize(twipsToPixels(width, logicalDpiX()), twipsToPixels(height, logicalDpiY()))});
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutToWindow();
}

void MainWindow::layoutToWindow()
{
    const QSizeF outer = outerSizeTwips();
    Layout_Controls(outer.width(), outer.height());
}

void MainWindow::Layout_Controls(double outerWidth, double outerHeight)
{
    m_controls.layOut(layoutFactors(outerWidth, outerHeight), logicalDpiX(), logicalDpiY());
}

} // namespace sw
