#include "app/edit_history.h"
#include "app/main_window.h"
#include "script/flow_editing.h"
#include "script/numbering.h"
#include "steps/panel_fill.h"

// The commands that edit the flow shown: the panels' Set commands, UP, Down, Delete, and the
// double-click that loads a step back into its panel.
namespace sw {

void MainWindow::Set_Click(StepKind kind)
{
    runCommand([this, kind] {
        FlowView& view = m_document.view();
        const SetResult result = Set_Step(kind, m_panels.read(kind), Is_Flow_Full(view));
        m_panels.write(kind, result.entry);
        showError(result.message);
        if (!result.line.isEmpty())
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
        if (!fill.ok)
            m_dialogs->critical(QString(UnexpectedError));
    });
}

} // namespace sw
