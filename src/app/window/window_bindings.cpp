#include "app/commands/edit_history.h"
#include "app/controls/arrow_button.h"
#include "app/controls/flow_list_binding.h"
#include "app/controls/return_keys.h"
#include "app/desktop/recent_files.h"
#include "app/desktop/script_drops.h"
#include "app/window/main_window.h"

#include <QApplication>
#include <QShortcut>

using namespace Qt::StringLiterals;

// What each control, menu item and key of the window does: the commands it runs.
namespace sw {

void MainWindow::connectControls()
{
    connect(m_controls.modeList(), &QComboBox::activated, this, &MainWindow::cmbMode_Click);

    connectEditing();
    connect(m_recent, &RecentFiles::chosen, this, [this](const QString& path) {
        if (!m_files.openRecentFile(path))
            m_recent->remove(path);
    });
    connect(m_recent, &RecentFiles::storeFailed, this, &MainWindow::tellSettingsFailure);
    acceptScriptDrops(this, [this](const QString& path) { m_files.openFile(path); });

    connect(m_menu.mnuNew, &QAction::triggered, &m_files, &FileSession::mnuNew_Click);
    connect(m_menu.mnuOpen, &QAction::triggered, &m_files, &FileSession::mnuOpen_Click);
    connect(m_menu.mnuSave, &QAction::triggered, &m_files, &FileSession::mnuSave_Click);
    connect(m_menu.mnuSaveAs, &QAction::triggered, &m_files, &FileSession::mnuSaveAs_Click);
    connect(&m_files, &FileSession::entryPanelsReset, this, &MainWindow::Reset_Entry_Panels);
    connect(m_menu.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::commitData);
    connect(m_menu.mnuVersion, &QAction::triggered, this, [this] { m_dialogs->showVersion(); });
    connect(m_menu.mnuKeys, &QAction::triggered, this, [this] { m_dialogs->showKeys(); });
}

void MainWindow::connectEditing()
{
    FlowListView* list = m_controls.flowList();
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        if (design[row].kind != ControlKind::SetButton)
            continue;
        // Shift with a click replaces the selected step instead.
        auto* button = static_cast<ArrowButton*>(m_controls.widget(row));
        connect(button, &QPushButton::clicked, this, [this, button, kind = design[row].panel] {
            if (button->isShiftClick())
                m_editing.replace(kind);
            else
                m_editing.Set_Click(kind);
        });
    }
    new ReturnKeys(m_controls, this);

    const auto bind = [this](auto* sender, auto signal, void (EditingCommands::*command)()) {
        connect(sender, signal, this, [this, command] { (m_editing.*command)(); });
    };
    m_listBinding = new FlowListBinding(list, m_document.view());
    bind(m_listBinding, &FlowListBinding::deletePressed, &EditingCommands::cmdDelete_Click);
    bind(m_listBinding, &FlowListBinding::loadPressed, &EditingCommands::lstScript_DblClick);
    bind(list, &QListView::doubleClicked, &EditingCommands::lstScript_DblClick);
    connect(list, &FlowListView::moveRequested, this,
            [this](int position) { m_editing.moveBefore(position); });
    bind(m_controls.button("cmdUP"_L1), &QPushButton::clicked, &EditingCommands::cmdUP_Click);
    bind(m_controls.button("cmdDown"_L1), &QPushButton::clicked, &EditingCommands::cmdDown_Click);
    bind(m_controls.button("cmdDelete"_L1), &QPushButton::clicked,
         &EditingCommands::cmdDelete_Click);
    // Ctrl+Up and Ctrl+Down move the selected step from anywhere in the window.
    bind(new QShortcut(QKeyCombination(Qt::CTRL, Qt::Key_Up), this), &QShortcut::activated,
         &EditingCommands::cmdUP_Click);
    bind(new QShortcut(QKeyCombination(Qt::CTRL, Qt::Key_Down), this), &QShortcut::activated,
         &EditingCommands::cmdDown_Click);
    // The Go menu's keys reach every part of the window at once.
    for (std::size_t i = 0; i < m_menu.mnuPanels.size(); ++i)
        connect(m_menu.mnuPanels[i], &QAction::triggered, this,
                [this, i] { m_panels.focusPanel(static_cast<StepKind>(i + 1)); });
    connect(m_menu.mnuFlowList, &QAction::triggered, list,
            [list] { list->setFocus(Qt::ShortcutFocusReason); });
    connect(m_menu.mnuNormalFlow, &QAction::triggered, this, [this] { switchFlow(0); });
    connect(m_menu.mnuErrorFlow, &QAction::triggered, this, [this] { switchFlow(1); });

    m_history->bindActions(m_menu.mnuUndo, m_menu.mnuRedo);
    connect(m_history, &EditHistory::restored, this, &MainWindow::showRestoredFlow);
    bind(m_menu.mnuCut, &QAction::triggered, &EditingCommands::cut);
    bind(m_menu.mnuCopy, &QAction::triggered, &EditingCommands::copy);
    bind(m_menu.mnuPaste, &QAction::triggered, &EditingCommands::paste);
    bind(m_menu.mnuDuplicate, &QAction::triggered, &EditingCommands::duplicate);
    bind(m_menu.mnuReplace, &QAction::triggered, qOverload<>(&EditingCommands::replace));
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    list->addActions(
        {m_menu.mnuCut, m_menu.mnuCopy, m_menu.mnuPaste, m_menu.mnuDuplicate, m_menu.mnuReplace});
}

} // namespace sw
