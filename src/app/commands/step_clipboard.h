#pragma once

#include "app/commands/edit_history.h"
#include "app/controls/user_dialogs.h"
#include "script/script_document.h"

// Cut, Copy, Paste and Duplicate of the selected step or run. The clipboard holds steps as
// plain text, a line each, so they go between the flows, between editors and to and from any
// other program; a pasted text is checked line by line as a file is on Open.
namespace sw {

class StepClipboard
{
public:
    StepClipboard(ScriptDocument& document, EditHistory& history, UserDialogs& dialogs);

    void cut();
    void copy();
    // Inserts the clipboard's steps after the selected line, or before a selected "(End)".
    void paste();
    // Inserts a copy of the selected step or run right behind it; the clipboard is left alone.
    void duplicate();

private:
    void insert(const QString& name, const QStringList& lines);

    ScriptDocument& m_document;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
};

} // namespace sw
