#include "app/main_window.h"

#include "app/app_style.h"
#include "app/app_version.h"
#include "app/edit_history.h"
#include "app/flow_list_binding.h"
#include "app/recent_files.h"
#include "app/replace_step_command.h"
#include "app/return_keys.h"
#include "app/script_drops.h"
#include "app/step_clipboard.h"
#include "app/twips.h"
#include "app/unsaved_mark.h"
#include "app/window_placement.h"
#include "files/recovery_copy.h"
#include "script/flow_editing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QSessionManager>
#include <QSettings>
#include <QShortcut>

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
      m_recent(new RecentFiles(*m_settingsStore, m_menu.mnuRecent, this))
{
    setObjectName(u"frmMain"_s);
    setWindowIcon(appIcon());
    setColour(m_controls.clientArea(), QPalette::Window, PanelColour);
    setCentralWidget(m_controls.clientArea());
    connectControls();
    acceptScriptDrops(this, [this](const QString& path) { openFile(path); });
    startUp();
    startRecovery();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(m_controls.modeList(), &QComboBox::activated, this, &MainWindow::cmbMode_Click);

    connectEditing();
    connect(m_recent, &RecentFiles::chosen, this, &MainWindow::openRecentFile);
    connect(m_recent, &RecentFiles::storeFailed, this, &MainWindow::tellSettingsFailure);

    connect(m_menu.mnuNew, &QAction::triggered, this, &MainWindow::mnuNew_Click);
    connect(m_menu.mnuOpen, &QAction::triggered, this, &MainWindow::mnuOpen_Click);
    connect(m_menu.mnuSave, &QAction::triggered, this, &MainWindow::mnuSave_Click);
    connect(m_menu.mnuSaveAs, &QAction::triggered, this, &MainWindow::mnuSaveAs_Click);
    connect(m_menu.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::commitData);
    connect(m_menu.mnuVersion, &QAction::triggered, this, [this] { m_dialogs->showVersion(); });
    connect(m_menu.mnuKeys, &QAction::triggered, this, [this] { m_dialogs->showKeys(); });
}

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
    CurrentFilePath.clear();
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

void MainWindow::openAtStart(const QString& path, const QByteArray& nativePath)
{
    m_startFile.emplace(path, nativePath);
}

void MainWindow::openStartFile()
{
    if (m_startFile)
        openFile(m_startFile->first, m_startFile->second);
    m_startFile.reset();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->setAccepted(m_ended || closeCheck());
}

bool MainWindow::closeCheck()
{
    try {
        // A flow that cannot be harvested cannot be saved either: the window closes as it is.
        if (showError(m_document.Harvest_Flow(shownFlowMode())))
            return true;
        // A failed write, a cancelled question or dialog keeps the window, the work and the
        // settings as they were.
        if (Ask_Save_Changes() != SaveOutcome::Proceed)
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
        keepRecoveryCopy();
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
    runCommand([this] {
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

void MainWindow::showNotice(const QString& notice)
{
    if (!notice.isEmpty())
        m_dialogs->notice(notice);
}

bool MainWindow::showError(const ErrorText& error)
{
    if (error.isEmpty())
        return false;
    m_dialogs->critical(error);
    return true;
}

} // namespace sw
