#pragma once

#include "script/flow_view.h"
#include "script/script_store.h"

// The script being edited: its working and saved copies and the flow view that shows one of
// its flows. The view is newer than the store for the flow shown; every reader of the store
// harvests that flow first.
namespace sw {

struct Rgb
{
    int red;
    int green;
    int blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The heading above the list that names the flow shown.
struct FlowHeading
{
    QString caption;
    Rgb colour;
};
FlowHeading flowHeading(int flowMode);

class ScriptDocument
{
public:
    ScriptStore& store() { return m_store; }
    const ScriptStore& store() const { return m_store; }
    SavedScript& saved() { return m_saved; }
    const SavedScript& saved() const { return m_saved; }
    FlowView& view() { return m_view; }
    const FlowView& view() const { return m_view; }

    // Both flows of both copies become "(Start)", "(End)"; the Normal mode flow is shown
    // with "(Start)" selected.
    void New_Script();
    ErrorText Copy_Saved_To_Store();
    ErrorText Copy_Store_To_Saved();
    bool Is_Script_Changed() const;

    // Fills the view with a flow of the working copy. The selection is the caller's.
    ErrorText Render_Flow(int flowMode);
    // Writes the view's lines, connectors left out, back into a flow of the working copy.
    ErrorText Harvest_Flow(int flowMode);
    // The flow of the last Render_Flow: the one the view shows.
    int shownFlow() const { return m_shownFlow; }

    // The flow selector chose position p: the view's lines go back into the flow it showed,
    // flow p is shown with "(Start)" selected. Does nothing while FormLoading is set. Returns
    // the failures to show, in order.
    QStringList Switch_Flow(int position);

    // True only while start-up fills the controls; the flow switch then does nothing.
    bool FormLoading = false;

private:
    ScriptStore m_store;
    SavedScript m_saved;
    FlowView m_view;
    int m_shownFlow = 0;
};

} // namespace sw
