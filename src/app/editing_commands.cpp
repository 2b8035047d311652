#include "app/arrow_button.h"
#include "app/edit_history.h"
#include "app/flow_list_binding.h"
#include "app/flow_list_view.h"
#include "app/main_window.h"
#include "app/replace_step_command.h"
#include "app/return_keys.h"
#include "app/step_clipboard.h"
#include "script/flow_editing.h"
#include "script/numbering.h"
#include "steps/panel_fill.h"

#include <QShortcut>

using namespace Qt::StringLiterals;

// The commands that edit the flow shown: the panels' Set commands, Replace Step, UP, Down,
// Delete, the clipboard's, a drag in the list, and the double-click that loads a step back
// into its panel.
namespace sw {

void MainWindow::connectEditing()
{
    FlowListView* list = m_controls.flowList();
    m_clipboard = std::make_unique<StepClipboard>(m_document, *m_history, *m_dialogs);
    m_replace =
        std::make_unique<ReplaceStepCommand>(m_document, m_panels, *m_history, *m_dialogs, list);
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        if (design[row].kind != ControlKind::SetButton)
            continue;
        // Shift with a click replaces the selected step instead.
        auto* button = static_cast<ArrowButton*>(m_controls.widget(row));
        connect(button, &QPushButton::clicked, this, [this, button, kind = design[row].panel] {
            if (button->isShiftClick())
                runCommand([&] { m_replace->run(kind); });
            else
                Set_Click(kind);
        });
    }
    new ReturnKeys(m_controls, this);

    const auto moveUp = [this] { editFlow(u"Move step up"_s, &Move_Step_Up); };
    const auto moveDown = [this] { editFlow(u"Move step down"_s, &Move_Step_Down); };
    const auto deleteStep = [this] { editFlow(u"Delete step"_s, &Delete_Selected_Step); };
    m_listBinding = new FlowListBinding(list, m_document.view());
    connect(m_listBinding, &FlowListBinding::deletePressed, this, deleteStep);
    connect(m_listBinding, &FlowListBinding::loadPressed, this, &MainWindow::lstScript_DblClick);
    connect(list, &QListView::doubleClicked, this, &MainWindow::lstScript_DblClick);
    connect(list, &FlowListView::moveRequested, this, [this](int position) {
        runCommand([&] {
            m_history->record(u"Move steps"_s,
                              [&] { showError(moveStepsBefore(m_document.view(), position)); });
        });
    });
    connect(m_controls.button("cmdUP"_L1), &QPushButton::clicked, this, moveUp);
    connect(m_controls.button("cmdDown"_L1), &QPushButton::clicked, this, moveDown);
    connect(m_controls.button("cmdDelete"_L1), &QPushButton::clicked, this, deleteStep);
    // Ctrl+Up and Ctrl+Down move the selected step from anywhere in the window.
    connect(new QShortcut(QKeyCombination(Qt::CTRL, Qt::Key_Up), this), &QShortcut::activated, this,
            moveUp);
    connect(new QShortcut(QKeyCombination(Qt::CTRL, Qt::Key_Down), this), &QShortcut::activated,
            this, moveDown);
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
    const auto bind = [this](QAction* action, void (StepClipboard::*command)()) {
        connect(action, &QAction::triggered, this,
                [this, command] { runCommand([&] { (m_clipboard.get()->*command)(); }); });
    };
    bind(m_menu.mnuCut, &StepClipboard::cut);
    bind(m_menu.mnuCopy, &StepClipboard::copy);
    bind(m_menu.mnuPaste, &StepClipboard::paste);
    bind(m_menu.mnuDuplicate, &StepClipboard::duplicate);
    connect(m_menu.mnuReplace, &QAction::triggered, this,
            [this] { runCommand([&] { m_replace->run(); }); });
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    list->addActions(
        {m_menu.mnuCut, m_menu.mnuCopy, m_menu.mnuPaste, m_menu.mnuDuplicate, m_menu.mnuReplace});
}

void MainWindow::Set_Click(StepKind kind)
{
    runCommand([this, kind] {
        FlowView& view = m_document.view();
        const SetResult result = m_panels.takeStep(kind, Is_Flow_Full(view));
        showError(result.message);
        if (result.line.isEmpty())
            return;
        m_panels.markLoaded(StepKind::None);
        m_history->record(setStepName(kind),
                          [&] { showError(Insert_Step_Line(view, result.line)); });
    });
}

void MainWindow::editFlow(const QString& name, ErrorText (*edit)(FlowView&))
{
    runCommand([&] { m_history->record(name, [&] { showError(edit(m_document.view())); }); });
}

void MainWindow::lstScript_DblClick()
{
    runCommand([this] {
        const FlowView& view = m_document.view();
        if (view.selected() < 0)
            return;
        const PanelFill fill = Fill_Step_Panel(view.itemText(view.selected()));
        m_panels.apply(fill);
        if (!fill.ok) {
            m_dialogs->critical(QString(UnexpectedError));
            return;
        }
        // The panel shows that it holds the step, and takes the keys for its new values.
        if (fill.kind != StepKind::None)
            m_panels.markLoaded(fill.kind);
    });
}

} // namespace sw
