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
    // flow p is shown with the line or run selected that was selected when it was last left
    // ("(Start)" in a flow not shown since the script was made or read). Does nothing while
    // FormLoading is set. Returns the failures to show, in order.
    QStringList Switch_Flow(int position);

    // Where the user was in a flow: the selection and the first line in sight.
    struct Place
    {
        int anchor = 0;
        int selected = 0;
        int topRow = 0;
    };
    // The place of the flow shown, when it was last shown or kept.
    const Place& place() const { return m_places[m_shownFlow]; }
    // The view's selection becomes the shown flow's place.
    void keepPlace();
    // The window tells what of the shown flow is in sight, before it is left.
    void keepTopRow(int row) { m_places[m_shownFlow].topRow = row; }
    // Shows a flow of a script just made or read from its beginning, and forgets both places.
    void showFromStart(int flowMode);

    // True only while start-up fills the controls; the flow switch then does nothing.
    bool FormLoading = false;

private:
    ScriptStore m_store;
    SavedScript m_saved;
    FlowView m_view;
    int m_shownFlow = 0;
    std::array<Place, FlowCount> m_places{};
};

} // namespace sw
