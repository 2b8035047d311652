#pragma once

#include "app/commands/replace_step_command.h"
#include "app/commands/step_clipboard.h"

class QWidget;

// The commands that edit the flow shown: the panels' Set commands, Replace Step, UP, Down,
// Delete, the clipboard's, a drag in the list, and the double-click that loads a step back
// into its panel. Each is one step of the edit history; a failure is shown and ends it.
namespace sw {

class EditingCommands
{
public:
    // The list gets the focus back after a Replace.
    EditingCommands(ScriptDocument& document, EntryPanels& panels, EditHistory& history,
                    UserDialogs& dialogs, QWidget* list);

    // The Set commands of the eight panels in one: cmdIN_Click, cmdOut_Click, cmdwait_Click,
    // cmdDev_Click, cmdYIM_Click, cmdLoad_Click, cmdF2_Click and cmdProbe_Click.
    void Set_Click(StepKind kind);
    // The panel of the focused field, or else the loaded one; or the panel named.
    void replace();
    void replace(StepKind panel);
    // The buttons UP, Down and Delete, which keys run as well.
    void cmdUP_Click();
    void cmdDown_Click();
    void cmdDelete_Click();
    // The selected step or run moved to stand before the line at position.
    void moveBefore(int position);
    void lstScript_DblClick();

    void cut();
    void copy();
    void paste();
    void duplicate();

private:
    void editFlow(const QString& name, ErrorText (*edit)(FlowView&));

    ScriptDocument& m_document;
    EntryPanels& m_panels;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    StepClipboard m_clipboard;
    ReplaceStepCommand m_replace;
};

} // namespace sw
