#pragma once

#include "app/commands/editing_commands.h"
#include "app/commands/file_session.h"
#include "app/controls/entry_panels.h"
#include "app/controls/main_menu.h"
#include "app/controls/user_dialogs.h"
#include "app/controls/window_controls.h"
#include "app/desktop/app_settings.h"
#include "script/script_document.h"

#include <QMainWindow>
#include <QSettings>

#include <memory>
#include <optional>

class QSessionManager;

// frmMain: the flow selector and the eight entry panels on the left, their Set buttons in the
// middle, the flow list with its buttons on the right, and the menu bar. It owns the script
// document, makes the controls and binds them to the commands that do the work: the file
// session, the editing commands, the recovery copy. The bindings are in window_bindings.cpp.
namespace sw {

class OuterGeometry;
class EditHistory;
class FlowListBinding;
class ScriptRecovery;
class UnsavedMark;
class RecentFiles;

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
    const QString& currentFilePath() const { return m_files.currentFilePath(); }
    const AppSettings& settings() const { return m_settings; }
    const EditHistory& history() const { return *m_history; }

    // The outer window size in twips, frame included: what the layout scales with.
    QSizeF outerSizeTwips() const;
    void setOuterSizeTwips(double width, double height);

    // Places every control for an outer window size in twips.
    void Layout_Controls(double outerWidth, double outerHeight);
    // Every panel to its first entries and empty fields, then the Normal mode flow shown.
    void Reset_Entry_Panels();
    // The file named when the program starts, opened as a dropped file is once the question
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
    void startRecovery();
    // Lays the controls out for the window's outer size as it stands.
    void layoutToWindow();
    void connectControls();
    void connectEditing();
    // The close check: true when the window may close.
    bool closeCheck();
    void commitData(QSessionManager& manager);
    void showFlowHeading(int flowMode);
    void cmbMode_Click();
    // Shows a flow as the flow selector would, from the keyboard.
    void switchFlow(int flowMode);
    // Undo and redo put back a state that may show the other flow.
    void showRestoredFlow(int flowMode);
    // The caption names the script's file, which heads the recent files.
    void showCurrentFile(const QString& path);
    // Tells the first failure to store the settings, without holding up the work; later ones
    // would only repeat it.
    void tellSettingsFailure(const ErrorText& error);

    std::unique_ptr<UserDialogs> m_dialogs;
    ScriptDocument m_document;
    WindowControls m_controls;
    EntryPanels m_panels;
    MainMenu m_menu;
    OuterGeometry* m_outerGeometry;
    std::unique_ptr<QSettings> m_settingsStore;
    AppSettings m_settings;
    EditHistory* m_history;
    UnsavedMark* m_unsavedMark;
    RecentFiles* m_recent;
    FileSession m_files;
    EditingCommands m_editing;
    FlowListBinding* m_listBinding;
    std::unique_ptr<ScriptRecovery> m_recovery;
    std::optional<std::pair<QString, QByteArray>> m_startFile; // see openAtStart
    bool m_settingsFailureTold = false;
};

} // namespace sw
