#pragma once

#include "script/script_snapshot.h"

#include <QAction>
#include <QUndoStack>

#include <functional>

// Undo and redo of the edits the window makes to the script. Each edit is kept as the script
// before and after it, so undoing puts back both flows and the selection exactly, and shows
// the flow the edit was made in.
namespace sw {

class EditHistory : public QObject
{
    Q_OBJECT

public:
    EditHistory(ScriptDocument& document, QObject* parent);
    // The stack empties itself on the way out; nothing is to hear of that.
    ~EditHistory() override { m_stack.disconnect(); }

    // Runs an edit; if it changed the script, the change becomes one step named text
    // ("Delete step"), even when the edit ends in a failure.
    void record(const QString& text, const std::function<void()>& edit);
    // A new or opened script starts with nothing to undo.
    void clear() { m_stack.clear(); }
    // The menu items, which name the step they undo or redo.
    void bindActions(QAction* undo, QAction* redo);

    const QUndoStack& stack() const { return m_stack; }

Q_SIGNALS:
    // The document was put back into a state that shows this flow.
    void restored(int flowMode);

private:
    ScriptDocument& m_document;
    QUndoStack m_stack;
};

} // namespace sw
