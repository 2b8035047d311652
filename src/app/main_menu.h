#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

// The menu bar: File with the file commands, the recent files and Exit, Edit with Undo and
// Redo, the clipboard's commands for steps and Replace Step, Help with the version dialog. Each
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
    QAction* mnuVersion;
};

MainMenu buildMainMenu(QMenuBar* bar);

} // namespace sw
