#include "app/commands/edit_history.h"

using namespace Qt::StringLiterals;

namespace sw {

namespace {

class EditCommand : public QUndoCommand
{
public:
    EditCommand(const QString& text, ScriptSnapshot before, ScriptSnapshot after,
                std::function<void(const ScriptSnapshot&)> restore)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
          m_restore(std::move(restore))
    {}

    void undo() override { m_restore(m_before); }
    void redo() override
    {
        // The edit itself already made the first change.
        if (m_done)
            m_restore(m_after);
        m_done = true;
    }

private:
    ScriptSnapshot m_before;
    ScriptSnapshot m_after;
    std::function<void(const ScriptSnapshot&)> m_restore;
    bool m_done = false;
};

// "Undo Delete step(&U)", or "Undo(&U)" with nothing to undo, after the menu's own form.
QString itemText(QLatin1StringView verb, QChar letter, const QString& step)
{
    const QString what = step.isEmpty() ? QString(verb) : verb + u' ' + step;
    return what + u"(&"_s + letter + u')';
}

} // namespace

EditHistory::EditHistory(ScriptDocument& document, QObject* parent)
    : QObject(parent), m_document(document)
{}

void EditHistory::record(const QString& text, const std::function<void()>& edit)
{
    const ScriptSnapshot before = takeSnapshot(m_document);
    const auto push = [&] {
        ScriptSnapshot after = takeSnapshot(m_document);
        if (after.flows == before.flows)
            return;
        m_stack.push(
            new EditCommand(text, before, std::move(after), [this](const ScriptSnapshot& snapshot) {
                restoreSnapshot(m_document, snapshot);
                Q_EMIT restored(snapshot.shownFlow);
            }));
    };
    try {
        edit();
    } catch (...) {
        push();
        throw;
    }
    push();
}

void EditHistory::bindActions(QAction* undo, QAction* redo)
{
    connect(undo, &QAction::triggered, &m_stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &m_stack, &QUndoStack::redo);
    const auto show = [this, undo, redo] {
        undo->setText(itemText("Undo"_L1, u'U', m_stack.undoText()));
        redo->setText(itemText("Redo"_L1, u'R', m_stack.redoText()));
        undo->setEnabled(m_stack.canUndo());
        redo->setEnabled(m_stack.canRedo());
    };
    connect(&m_stack, &QUndoStack::indexChanged, this, show);
    show();
}

} // namespace sw
