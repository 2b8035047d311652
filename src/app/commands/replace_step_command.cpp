#include "app/commands/replace_step_command.h"

#include "script/flow_editing.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace sw {

ReplaceStepCommand::ReplaceStepCommand(ScriptDocument& document, EntryPanels& panels,
                                       EditHistory& history, UserDialogs& dialogs, QWidget* list)
    : m_document(document), m_panels(panels), m_history(history), m_dialogs(dialogs), m_list(list)
{}

void ReplaceStepCommand::run()
{
    const StepKind focused = m_panels.panelOf(QApplication::focusWidget());
    run(focused != StepKind::None ? focused : m_panels.loaded());
}

void ReplaceStepCommand::run(StepKind panel)
{
    // Refused without a word, as a move of "(Start)" is; the panel's fields stay untouched.
    if (panel == StepKind::None || !isReplaceable(m_document.view()))
        return;
    const SetResult result = m_panels.takeStep(panel, false);
    m_dialogs.showError(result.message);
    if (result.line.isEmpty())
        return;
    m_panels.markLoaded(StepKind::None);
    m_history.record(u"Replace step"_s,
                     [&] { m_dialogs.showError(replaceStepLine(m_document.view(), result.line)); });
    m_list->setFocus(Qt::OtherFocusReason);
}

} // namespace sw
