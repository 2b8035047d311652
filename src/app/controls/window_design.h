#pragma once

#include "steps/panel_rules.h"
#include "steps/step_line.h"

#include <QStringList>

#include <optional>
#include <span>

// Every control of the main window with its design place and size in twips. The window is
// built from this table and laid out from it on every size change, in its order.
namespace sw {

enum class ControlKind
{
    ModeList,    // the flow selector
    Panel,       // the frame of an entry panel
    Title,       // a panel's white title label
    Caption,     // a field's caption, sized to its text
    ChoiceList,  // a panel's drop-down list
    TextBox,     // a panel's text field
    SetCaption,  // "Set" above an arrow button, sized to its text
    SetButton,   // an arrow button that runs its panel's Set command
    FlowHeading, // the heading above the list, sized to its text
    FlowList,    // the flow view
    ListButton,  // "UP", "Down", "Delete"
};

struct DesignControl
{
    QLatin1StringView name;
    ControlKind kind;
    // The text shown; the flow selector shows none, and its caption is only spoken.
    QLatin1StringView caption;
    // Relative to the panel for the controls inside one, else to the window's client area.
    // Captions that size themselves to their text have no width or height (0).
    int left;
    int top;
    int width;
    int height;
    // The entry panel a control belongs to, and a field's role in it.
    StepKind panel = StepKind::None;
    std::optional<PanelField> field = std::nullopt;
    // The entries of a drop-down list, in their order.
    const QStringList& (*entries)() = nullptr;
};

// The 72 controls: the flow selector, each panel followed by its controls, the "Set" captions
// and arrow buttons, then the list heading, the list and its three buttons.
std::span<const DesignControl> designControls();

// What a screen reader says for the control of a row: a field or list as its panel's title and
// its caption ("Wait: Time (msec)"), an arrow button as its Set command ("Set Wait step").
// Empty for the labels, which say themselves, and the flow list, named by its changing heading.
QString spokenName(std::size_t row);
// A panel's title as one line of words: "Load File (DOS to Buffer)".
QString panelTitle(StepKind panel);
// What the undo history calls a panel's Set: "Set Wait step".
QString setStepName(StepKind panel);

// Title, captions, fields and lists live inside their panel's frame.
bool isInsidePanel(ControlKind kind);
// Labels that take their width and height from their text.
bool sizesItself(ControlKind kind);
// The font size in points before the first layout, and the base size the layout scales
// (0: the layout leaves the font alone).
double designFontSize(ControlKind kind);
int layoutFontBase(ControlKind kind);

} // namespace sw
