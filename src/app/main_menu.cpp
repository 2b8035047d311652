#include "app/main_menu.h"

#include <QMenu>

#include <array>
#include <span>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

struct MenuItem
{
    QLatin1StringView name;
    QLatin1StringView caption; // empty: a separator
};

constexpr std::array<MenuItem, 7> FileItems{{
    {"mnuNew"_L1, "New(&N)"_L1},
    {"mnuOpen"_L1, "Open...(&O)"_L1},
    {"mnuSep1"_L1, {}},
    {"mnuSave"_L1, "Save(&S)"_L1},
    {"mnuSaveAs"_L1, "Save As...(&A)"_L1},
    {"mnuSep2"_L1, {}},
    {"mnuExit"_L1, "Exit(&X)"_L1},
}};
constexpr std::array<MenuItem, 1> HelpItems{{{"mnuVersion"_L1, "Version(&V)"_L1}}};

QMenu* addMenu(QMenuBar* bar, QLatin1StringView name, QLatin1StringView title,
               std::span<const MenuItem> items)
{
    QMenu* menu = bar->addMenu(QString(title));
    menu->setObjectName(QString(name));
    for (const MenuItem& item : items) {
        QAction* action =
            item.caption.isEmpty() ? menu->addSeparator() : menu->addAction(QString(item.caption));
        action->setObjectName(QString(item.name));
    }
    return menu;
}

QAction* item(QMenu* menu, QLatin1StringView name)
{
    return menu->findChild<QAction*>(QString(name), Qt::FindDirectChildrenOnly);
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar)
{
    QMenu* file = addMenu(bar, "mnuFile"_L1, "File(&F)"_L1, FileItems);
    QMenu* help = addMenu(bar, "mnuHelp"_L1, "Help(&H)"_L1, HelpItems);
    return {item(file, "mnuNew"_L1),    item(file, "mnuOpen"_L1), item(file, "mnuSave"_L1),
            item(file, "mnuSaveAs"_L1), item(file, "mnuExit"_L1), item(help, "mnuVersion"_L1)};
}

} // namespace sw
