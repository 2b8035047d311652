#include "app/commands/editing_commands.h"

#include "script/flow_editing.h"
#include "script/numbering.h"
#include "steps/panel_fill.h"

using namespace Qt::StringLiterals;

namespace sw {

EditingCommands::EditingCommands(ScriptDocument& document, EntryPanels& panels,
                                 EditHistory& history, UserDialogs& dialogs, QWidget* list)
    : m_document(document), m_panels(panels), m_history(history), m_dialogs(dialogs),
      m_clipboard(document, history, dialogs), m_replace(document, panels, history, dialogs, list)
{}

void EditingCommands::replace()
{
    m_dialogs.runCommand([&] { m_replace.run(); });
}

void EditingCommands::replace(StepKind panel)
{
    m_dialogs.runCommand([&] { m_replace.run(panel); });
}

void EditingCommands::cmdUP_Click()
{
    editFlow(u"Move step up"_s, &Move_Step_Up);
}

void EditingCommands::cmdDown_Click()
{
    editFlow(u"Move step down"_s, &Move_Step_Down);
}

void EditingCommands::cmdDelete_Click()
{
    editFlow(u"Delete step"_s, &Delete_Selected_Step);
}

void EditingCommands::moveBefore(int position)
{
    m_dialogs.runCommand([&] {
        m_history.record(u"Move steps"_s, [&] {
            m_dialogs.showError(moveStepsBefore(m_document.view(), position));
        });
    });
}

void EditingCommands::cut()
{
    m_dialogs.runCommand([&] { m_clipboard.cut(); });
}

void EditingCommands::copy()
{
    m_dialogs.runCommand([&] { m_clipboard.copy(); });
}

void EditingCommands::paste()
{
    m_dialogs.runCommand([&] { m_clipboard.paste(); });
}

void EditingCommands::duplicate()
{
    m_dialogs.runCommand([&] { m_clipboard.duplicate(); });
}

void EditingCommands::Set_Click(StepKind kind)
{
    m_dialogs.runCommand([this, kind] {
        FlowView& view = m_document.view();
        const SetResult result = m_panels.takeStep(kind, Is_Flow_Full(view));
        m_dialogs.showError(result.message);
        if (result.line.isEmpty())
            return;
        m_panels.markLoaded(StepKind::None);
        m_history.record(setStepName(kind),
                         [&] { m_dialogs.showError(Insert_Step_Line(view, result.line)); });
    });
}

void EditingCommands::editFlow(const QString& name, ErrorText (*edit)(FlowView&))
{
    m_dialogs.runCommand(
        [&] { m_history.record(name, [&] { m_dialogs.showError(edit(m_document.view())); }); });
}

void EditingCommands::lstScript_DblClick()
{
    m_dialogs.runCommand([this] {
        const FlowView& view = m_document.view();
        if (view.selected() < 0)
            return;
        const PanelFill fill = Fill_Step_Panel(view.itemText(view.selected()));
        m_panels.apply(fill);
        if (!fill.ok) {
            m_dialogs.critical(QString(UnexpectedError));
            return;
        }
        // The panel shows that it holds the step, and takes the keys for its new values.
        if (fill.kind != StepKind::None)
            m_panels.markLoaded(fill.kind);
    });
}

} // namespace sw
