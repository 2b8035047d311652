#pragma once

#include "app/entry_panels.h"
#include "app/main_menu.h"
#include "app/user_dialogs.h"
#include "app/window_controls.h"
#include "script/script_document.h"

#include <QMainWindow>

#include <exception>
#include <memory>

// frmMain: the flow selector and the eight entry panels on the left, their Set buttons in the
// middle, the flow list with its buttons on the right, and the menu bar. It owns the script
// document; every control is a thin binding to it and to the panel rules.
namespace sw {

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Without dialogs of its own the window shows real message boxes.
    explicit MainWindow(std::unique_ptr<UserDialogs> dialogs = nullptr);

    ScriptDocument& document() { return m_document; }
    const MainMenu& menu() const { return m_menu; }

    // The outer window size in twips, frame included: what the layout scales with.
    QSizeF outerSizeTwips() const;
    void setOuterSizeTwips(double width, double height);

    // Places every control for an outer window size in twips.
    void Layout_Controls(double outerWidth, double outerHeight);
    // Every panel to its first entries and empty fields, then the Normal mode flow shown.
    void Reset_Entry_Panels();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void startUp();
    void connectControls();
    void showFlowHeading(int flowMode);
    void cmbMode_Click();

    // The editing commands, in editing_commands.cpp.
    void Set_Click(StepKind kind);
    void editFlow(ErrorText (*edit)(FlowView&));
    void lstScript_DblClick();

    void showError(const ErrorText& error);
    // A failure inside a command is shown and ends it; what it had changed stays.
    template <class Body> void runCommand(Body body);

    std::unique_ptr<UserDialogs> m_dialogs;
    ScriptDocument m_document;
    WindowControls m_controls;
    EntryPanels m_panels;
    MainMenu m_menu;
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
