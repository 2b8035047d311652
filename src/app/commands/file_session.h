#pragma once

#include "app/controls/user_dialogs.h"
#include "app/desktop/app_settings.h"
#include "script/script_document.h"

#include <QObject>

#include <functional>

// The script's file: which one it is and its bytes as last read or written here, the File
// menu's New, Open, Save and Save As, and the unsaved-change question that New, Open and the
// close of the window ask before the script is replaced.
namespace sw {

class EditHistory;
struct RecoveryContent;

class FileSession : public QObject
{
    Q_OBJECT

public:
    // What the unsaved-change question leads to.
    enum class SaveOutcome
    {
        Proceed,     // nothing changed, the answer No, or the script written
        WriteFailed, // shown to the user; nothing else changed
        Cancelled,   // the user cancelled the question or the save dialog
    };

    // shownFlow tells the flow the window's selector shows: the one harvested into the script
    // before it is written or replaced.
    FileSession(ScriptDocument& document, EditHistory& history, UserDialogs& dialogs,
                AppSettings& settings, std::function<int()> shownFlow, QObject* parent = nullptr);

    // The full path of the script file last opened or saved; empty for a new script.
    const QString& currentFilePath() const { return CurrentFilePath; }

    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // A file named from outside the menu (the command line, a drop, a recent file) opens as Open
    // opens the file chosen in its dialog, the unsaved-change question first. nativePath, when
    // given, names it by the bytes the system gave, which need not be text.
    void openFile(const QString& path, const QByteArray& nativePath = {});
    // False when the file no longer exists, which the user is told.
    bool openRecentFile(const QString& path);
    SaveOutcome Ask_Save_Changes();
    // Puts back the work a recovery copy kept, on the file it was taken from.
    void restoreScript(const RecoveryContent& content);

Q_SIGNALS:
    // The script was made, read, restored or saved, and belongs to this file now; empty for
    // none.
    void currentFileChanged(const QString& path);
    // A new script, or one that could not be read: the panels and the flow selector start over.
    void entryPanelsReset();

private:
    // Harvests the flow shown and asks about unsaved changes: true when the script may go.
    bool mayReplaceScript();
    // Open from the chosen path on: the folder remembered, the file read, numbered and shown.
    void openScriptFile(const QString& path, const QByteArray& nativePath = {});
    // Writes the script to path, or to a file the user chooses when path is empty.
    void saveScript(QString path);
    std::optional<QString> chooseSavePath(const FileRequest& request);
    void setCurrentFile(const QString& path);

    ScriptDocument& m_document;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    AppSettings& m_settings;
    std::function<int()> m_shownFlow;
    QString CurrentFilePath;
    QByteArray m_fileContent; // the current file's content as last read or written here
};

} // namespace sw
