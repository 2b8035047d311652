#pragma once

#include <QAction>
#include <QMenuBar>

// The menu bar: File with the file commands and Exit, Help with the version dialog. Each item
// has its access letter and no other shortcut.
namespace sw {

struct MainMenu
{
    QAction* mnuNew;
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuExit;
    QAction* mnuVersion;
};

MainMenu buildMainMenu(QMenuBar* bar);

} // namespace sw
