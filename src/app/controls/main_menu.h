#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

// The menu bar: File with the file commands, the recent files and Exit, Edit with Undo and
// Redo, the clipboard's commands for steps and Replace Step, Go to the panels, the flow list and
// the flows, Help with the table of keys and the version dialog. Each
// item has its access letter; the commands that every desktop editor has also have the platform's
// standard keys.
namespace sw {

struct MainMenu
{
    QAction* mnuNew;
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QMenu* mnuRecent;
    QAction* mnuExit;
    QAction* mnuUndo;
    QAction* mnuRedo;
    QAction* mnuCut;
    QAction* mnuCopy;
    QAction* mnuPaste;
    QAction* mnuDuplicate;
    QAction* mnuReplace;
    std::array<QAction*, 8> mnuPanels; // the first field of panel 1 to 8, top to bottom
    QAction* mnuFlowList;
    QAction* mnuNormalFlow;
    QAction* mnuErrorFlow;
    QAction* mnuKeys;
    QAction* mnuVersion;
};

MainMenu buildMainMenu(QMenuBar* bar);

} // namespace sw
