#pragma once

#include "app/commands/edit_history.h"
#include "app/controls/entry_panels.h"
#include "app/controls/user_dialogs.h"
#include "script/script_document.h"

// Replace Step: a panel's step in place of the selected step, at its place and with its
// number, as one edit. The panel is the one whose field holds the focus, or else the one the
// last step was loaded back into; Shift with a Set button names its own. "(Start)", "(End)",
// comment lines and runs are not replaced. The list then has the focus again, on the step.
namespace sw {

class ReplaceStepCommand
{
public:
    ReplaceStepCommand(ScriptDocument& document, EntryPanels& panels, EditHistory& history,
                       UserDialogs& dialogs, QWidget* list);

    // From the menu or its key: the panel of the focused field, or else the loaded one.
    void run();
    void run(StepKind panel);

private:
    ScriptDocument& m_document;
    EntryPanels& m_panels;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    QWidget* m_list;
};

} // namespace sw
