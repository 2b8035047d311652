#pragma once

#include "script/script_document.h"

#include <QStringList>

#include <array>

// The working copy of a script as the user sees it at one moment: the lines of both flows
// (the one shown taken from the view, which is newer than the store), the flow shown and the
// selected position. Undo and redo put a document back into such a state.
namespace sw {

struct ScriptSnapshot
{
    std::array<QStringList, FlowCount> flows; // lines only, no connectors
    int shownFlow = 0;
    int anchor = -1; // the selected run's fixed end
    int selected = -1;
    friend bool operator==(const ScriptSnapshot&, const ScriptSnapshot&) = default;
};

ScriptSnapshot takeSnapshot(const ScriptDocument& document);

// Writes both flows into the working copy and shows the snapshot's flow with its selection;
// a flow shown until then keeps its place.
// The saved copy is left alone, so a state equal to it counts as unchanged again.
void restoreSnapshot(ScriptDocument& document, const ScriptSnapshot& snapshot);

} // namespace sw
