#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// The mark of unsaved changes in the window's caption, the desktop's way: Qt shows the caption's
// "[*]" as "*" while the window is modified and hides it otherwise, so an unchanged script
// shows its caption exactly.
namespace sw {

class ScriptDocument;

inline constexpr QLatin1StringView UnsavedMarkPlace{"[*]"};

class UnsavedMark : public QObject
{
public:
    // Follows every change of the document's flow view, whatever command or undo made it.
    UnsavedMark(QWidget* window, ScriptDocument& document);

    // Shows the state now: after a save, an open or a new script.
    void update();

private:
    QWidget* m_window;
    ScriptDocument& m_document;
    QTimer m_pending; // once the edit in progress is over: one look for a burst of changes
};

} // namespace sw
