#pragma once

#include <QString>

#include <array>

// The two copies of a script. A flow ends at its first empty slot; nothing looks behind it.
namespace sw {

// Empty on success, otherwise the text of the failure for the calling command to show.
using ErrorText = QString;

inline constexpr int FlowCount = 2;      // 0: Normal mode flow, 1: Error mode flow
inline constexpr int MaxFlowLines = 258; // "(Start)" and "(End)" included
inline constexpr int LastLineSlot = 257; // every loop over a flow stops after this slot
inline constexpr int StoreSlots = 259;   // slot 258 is never written: a full flow stays ended
inline constexpr int SavedSlots = 258;

// A FlowMode of -1 (nothing chosen) means the Normal mode flow.
constexpr int flowIndex(int flowMode)
{
    return flowMode == 1 ? 1 : 0;
}

// The working copy, which the flow view is harvested into and the writer writes.
struct ScriptStore
{
    std::array<std::array<QString, StoreSlots>, FlowCount> flows;
};

// The script as last created, opened or saved; compared with the working copy to tell changes.
struct SavedScript
{
    std::array<std::array<QString, SavedSlots>, FlowCount> flows;
};

} // namespace sw
