#pragma once

#include "app/app_settings.h"
#include "app/entry_panels.h"
#include "app/main_menu.h"
#include "app/user_dialogs.h"
#include "app/window_controls.h"
#include "script/script_document.h"

#include <QMainWindow>
#include <QSettings>
#include <QTimer>

#include <exception>
#include <memory>

class QSessionManager;

// frmMain: the flow selector and the eight entry panels on the left, their Set buttons in the
// middle, the flow list with its buttons on the right, and the menu bar. It owns the script
// document; every control is a thin binding to it and to the panel rules.
namespace sw {

class OuterGeometry;
class EditHistory;
class FlowListBinding;
class ReplaceStepCommand;
class StepClipboard;
class UnsavedMark;
class RecentFiles;
class RecoveryCopy;
struct RecoveryContent;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Without dialogs of its own the window shows real message boxes; without a settings
    // store it uses the user's.
    explicit MainWindow(std::unique_ptr<UserDialogs> dialogs = nullptr,
                        std::unique_ptr<QSettings> settingsStore = nullptr);
    ~MainWindow() override;

    ScriptDocument& document() { return m_document; }
    const MainMenu& menu() const { return m_menu; }
    // The full path of the script file last opened or saved; empty for a new script.
    const QString& currentFilePath() const { return CurrentFilePath; }
    const AppSettings& settings() const { return m_settings; }
    const EditHistory& history() const { return *m_history; }

    // The outer window size in twips, frame included: what the layout scales with.
    QSizeF outerSizeTwips() const;
    void setOuterSizeTwips(double width, double height);

    // Places every control for an outer window size in twips.
    void Layout_Controls(double outerWidth, double outerHeight);
    // Every panel to its first entries and empty fields, then the Normal mode flow shown.
    void Reset_Entry_Panels();
    // A file named from outside the menu (the command line, a drop, a recent file) opens as Open
    // opens the file chosen in its dialog, the unsaved-change question first. nativePath, when
    // given, names it by the bytes the system gave, which need not be text.
    void openFile(const QString& path, const QByteArray& nativePath = {});
    // The file named when the program starts, opened as openFile opens it once the question
    // about work left by an earlier run is answered, so no message stands inside that question.
    // Called before the event loop runs.
    void openAtStart(const QString& path, const QByteArray& nativePath);
    // From now on a request to end the program (SIGTERM, SIGHUP, SIGINT) keeps the unsaved
    // work in the recovery copy and ends without asking.
    void endOnTerminationSignals();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Every way of closing the window comes here: the close box, Exit, the session's end.
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();
    void placeAtStart();
    // Lays the controls out for the window's outer size as it stands.
    void layoutToWindow();
    void connectControls();
    // The close check: true when the window may close.
    bool closeCheck();
    void commitData(QSessionManager& manager);
    void showFlowHeading(int flowMode);
    void cmbMode_Click();
    // Shows a flow as the flow selector would, from the keyboard.
    void switchFlow(int flowMode);

    // The editing commands, in editing_commands.cpp.
    void connectEditing();
    void Set_Click(StepKind kind);
    void editFlow(const QString& name, ErrorText (*edit)(FlowView&));
    // Undo and redo put back a state that may show the other flow.
    void showRestoredFlow(int flowMode);
    void lstScript_DblClick();

    // The recovery copy, in recovery_commands.cpp: kept shortly after each change, offered
    // back at the next start when this editor ends without its work saved.
    void startRecovery();
    void scheduleRecoveryCopy();
    // Writes the copy while the script has unsaved changes, and removes it when not.
    void keepRecoveryCopy();
    void offerLeftCopies();
    void openStartFile();
    void restoreScript(const RecoveryContent& content);
    void endWithoutAsking();

    // The file commands, in file_commands.cpp, and what the unsaved-change question leads to.
    enum class SaveOutcome
    {
        Proceed,     // nothing changed, the answer No, or the script written
        WriteFailed, // shown to the user; nothing else changed
        Cancelled,   // the user cancelled the question or the save dialog
    };
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Open from the chosen path on: the folder remembered, the file read, numbered and shown.
    void openScriptFile(const QString& path, const QByteArray& nativePath = {});
    void openRecentFile(const QString& path);
    SaveOutcome Ask_Save_Changes();
    // Harvests the flow shown and asks about unsaved changes: true when the script may go.
    bool mayReplaceScript();
    // Writes the script to path, or to a file the user chooses when path is empty.
    void saveScript(QString path);
    std::optional<QString> chooseSavePath(const FileRequest& request);
    // Names the file in the caption; an empty path is a script without a file.
    void setCurrentFile(const QString& path);
    int shownFlowMode() const;

    // Shows a failure; true when there was one.
    bool showError(const ErrorText& error);
    void showNotice(const QString& notice);
    // Tells the first failure to store the settings, without holding up the work; later ones
    // would only repeat it.
    void tellSettingsFailure(const ErrorText& error);
    // A failure inside a command is shown and ends it; what it had changed stays.
    template <class Body> void runCommand(Body body);

    std::unique_ptr<UserDialogs> m_dialogs;
    ScriptDocument m_document;
    WindowControls m_controls;
    EntryPanels m_panels;
    MainMenu m_menu;
    OuterGeometry* m_outerGeometry;
    std::unique_ptr<QSettings> m_settingsStore;
    AppSettings m_settings;
    EditHistory* m_history;
    std::unique_ptr<StepClipboard> m_clipboard;
    std::unique_ptr<ReplaceStepCommand> m_replace;
    FlowListBinding* m_listBinding = nullptr;
    UnsavedMark* m_unsavedMark;
    RecentFiles* m_recent;
    QString CurrentFilePath;
    QByteArray m_fileContent; // the current file's content as last read or written here
    std::unique_ptr<RecoveryCopy> m_recovery;
    QTimer m_recoveryTimer;
    bool m_ended = false; // after a request to end: the copy stays as it was last written
    std::optional<std::pair<QString, QByteArray>> m_startFile; // see openAtStart
    bool m_settingsFailureTold = false;
    bool m_recoveryFailureTold = false; // the last write of the copy failed, and was told
};

template <class Body> void MainWindow::runCommand(Body body)
{
    try {
        body();
    } catch (const std::exception& failure) {
        m_dialogs->critical(QString::fromLocal8Bit(failure.what()));
    }
}

} // namespace sw
