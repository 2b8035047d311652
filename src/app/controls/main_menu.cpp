#include "app/controls/main_menu.h"

#include "app/controls/window_design.h"

#include <array>
#include <span>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

struct MenuItem
{
    QLatin1StringView name;
    QLatin1StringView caption; // empty: a separator
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    // Where the platform's standard has no key for the item (Save As and Quit in some
    // desktops' conventions), the one most editors use.
    QKeyCombination fallback = {};
    bool submenu = false;
};

constexpr std::array<MenuItem, 9> FileItems{{
    {"mnuNew"_L1, "New(&N)"_L1, QKeySequence::New},
    {"mnuOpen"_L1, "Open...(&O)"_L1, QKeySequence::Open},
    {"mnuSep1"_L1, {}},
    {"mnuSave"_L1, "Save(&S)"_L1, QKeySequence::Save},
    {"mnuSaveAs"_L1, "Save As...(&A)"_L1, QKeySequence::SaveAs,
     QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_S)},
    {"mnuSep2"_L1, {}},
    {"mnuRecent"_L1, "Recent Files(&R)"_L1, QKeySequence::UnknownKey, {}, true},
    {"mnuSep3"_L1, {}},
    {"mnuExit"_L1, "Exit(&X)"_L1, QKeySequence::Quit, QKeyCombination(Qt::CTRL, Qt::Key_Q)},
}};
// The history names what they undo once there is something to undo. Replace Step's key is
// Shift with the key that sets a step.
constexpr std::array<MenuItem, 9> EditItems{{
    {"mnuUndo"_L1, "Undo(&U)"_L1, QKeySequence::Undo},
    {"mnuRedo"_L1, "Redo(&R)"_L1, QKeySequence::Redo},
    {"mnuSep4"_L1, {}},
    {"mnuCut"_L1, "Cut(&T)"_L1, QKeySequence::Cut},
    {"mnuCopy"_L1, "Copy(&C)"_L1, QKeySequence::Copy},
    {"mnuPaste"_L1, "Paste(&P)"_L1, QKeySequence::Paste},
    {"mnuDuplicate"_L1, "Duplicate(&D)"_L1, QKeySequence::UnknownKey,
     QKeyCombination(Qt::CTRL, Qt::Key_D)},
    {"mnuSep5"_L1, {}},
    {"mnuReplace"_L1, "Replace Step(&S)"_L1, QKeySequence::UnknownKey,
     QKeyCombination(Qt::SHIFT, Qt::Key_Return)},
}};
// The panels' items come before these, numbered by their panels' keys.
constexpr std::array<MenuItem, 5> GoItems{{
    {"mnuSep6"_L1, {}},
    {"mnuFlowList"_L1, "Flow List(&L)"_L1}, // F6 and Ctrl+L, given below
    {"mnuSep7"_L1, {}},
    {"mnuNormalFlow"_L1, "Normal Mode Flow(&N)"_L1, QKeySequence::UnknownKey,
     QKeyCombination(Qt::CTRL, Qt::Key_PageUp)},
    {"mnuErrorFlow"_L1, "Error Mode Flow(&E)"_L1, QKeySequence::UnknownKey,
     QKeyCombination(Qt::CTRL, Qt::Key_PageDown)},
}};
constexpr std::array<MenuItem, 2> HelpItems{{
    {"mnuKeys"_L1, "Keys(&K)"_L1, QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1)},
    {"mnuVersion"_L1, "Version(&V)"_L1},
}};

void addItems(QMenu* menu, std::span<const MenuItem> items);

QMenu* addMenu(QMenuBar* bar, QLatin1StringView name, QLatin1StringView title,
               std::span<const MenuItem> items)
{
    QMenu* menu = bar->addMenu(QString(title));
    menu->setObjectName(QString(name));
    addItems(menu, items);
    return menu;
}

void addItems(QMenu* menu, std::span<const MenuItem> items)
{
    for (const MenuItem& item : items) {
        if (item.submenu) {
            menu->addMenu(QString(item.caption))->setObjectName(QString(item.name));
            continue;
        }
        QAction* action =
            item.caption.isEmpty() ? menu->addSeparator() : menu->addAction(QString(item.caption));
        action->setObjectName(QString(item.name));
        action->setShortcuts(item.key);
        if (action->shortcuts().isEmpty() && item.fallback.key() != Qt::Key_unknown) {
            // The keypad's Enter does what Return does.
            const QKeyCombination enter(item.fallback.keyboardModifiers(), Qt::Key_Enter);
            action->setShortcuts(item.fallback.key() == Qt::Key_Return
                                     ? QList<QKeySequence>{item.fallback, enter}
                                     : QList<QKeySequence>{item.fallback});
        }
    }
}

// Go: Ctrl+1 to Ctrl+8 to the panels, named by their titles.
std::array<QAction*, 8> addPanelItems(QMenu* go)
{
    std::array<QAction*, 8> panels{};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int number = int(i) + 1;
        panels[i] =
            go->addAction(u"&%1 %2"_s.arg(number).arg(panelTitle(static_cast<StepKind>(number))));
        panels[i]->setObjectName(u"mnuPanel%1"_s.arg(number));
        panels[i]->setShortcut(QKeyCombination(Qt::CTRL, Qt::Key(Qt::Key_1 + int(i))));
    }
    return panels;
}

template <class T = QAction> T* item(QMenu* menu, QLatin1StringView name)
{
    return menu->findChild<T*>(QString(name), Qt::FindDirectChildrenOnly);
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar)
{
    QMenu* file = addMenu(bar, "mnuFile"_L1, "File(&F)"_L1, FileItems);
    QMenu* edit = addMenu(bar, "mnuEdit"_L1, "Edit(&E)"_L1, EditItems);
    QMenu* go = addMenu(bar, "mnuGo"_L1, "Go(&G)"_L1, {});
    const std::array<QAction*, 8> panels = addPanelItems(go);
    addItems(go, GoItems);
    item(go, "mnuFlowList"_L1)
        ->setShortcuts({QKeyCombination(Qt::Key_F6), QKeyCombination(Qt::CTRL, Qt::Key_L)});
    QMenu* help = addMenu(bar, "mnuHelp"_L1, "Help(&H)"_L1, HelpItems);
    return {item(file, "mnuNew"_L1),           item(file, "mnuOpen"_L1),
            item(file, "mnuSave"_L1),          item(file, "mnuSaveAs"_L1),
            item<QMenu>(file, "mnuRecent"_L1), item(file, "mnuExit"_L1),
            item(edit, "mnuUndo"_L1),          item(edit, "mnuRedo"_L1),
            item(edit, "mnuCut"_L1),           item(edit, "mnuCopy"_L1),
            item(edit, "mnuPaste"_L1),         item(edit, "mnuDuplicate"_L1),
            item(edit, "mnuReplace"_L1),       panels,
            item(go, "mnuFlowList"_L1),        item(go, "mnuNormalFlow"_L1),
            item(go, "mnuErrorFlow"_L1),       item(help, "mnuKeys"_L1),
            item(help, "mnuVersion"_L1)};
}

} // namespace sw
