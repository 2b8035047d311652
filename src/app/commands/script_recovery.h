#pragma once

#include "app/controls/user_dialogs.h"
#include "script/script_document.h"

#include <QObject>
#include <QTimer>

#include <memory>

// The recovery copy: written shortly after each change while the script has unsaved changes,
// at once when the program is told to end, and offered back by the next start.
namespace sw {

class FileSession;
class RecoveryCopy;

class ScriptRecovery : public QObject
{
public:
    // Claims this run's copy, and follows every edit and every change of the current file.
    ScriptRecovery(ScriptDocument& document, FileSession& files, UserDialogs& dialogs,
                   QObject* parent);
    ~ScriptRecovery() override;

    // Offers back, one by one, the work that earlier runs left unsaved; the first restored
    // ends the offer.
    void offerLeftCopies();
    // Writes the copy while the script has unsaved changes, and removes it when not.
    void keepCopy();
    // Saved or given up by the user's answer: nothing is left to recover.
    void remove();
    // Keeps the unsaved work in the copy and ends the program without asking.
    void endWithoutAsking();
    // After a request to end: the copy stays as it was last written.
    bool ended() const { return m_ended; }

private:
    void schedule();

    ScriptDocument& m_document;
    FileSession& m_files;
    UserDialogs& m_dialogs;
    std::unique_ptr<RecoveryCopy> m_copy;
    QTimer m_timer;
    bool m_ended = false;
    bool m_failureTold = false; // the last write of the copy failed, and was told
};

} // namespace sw
