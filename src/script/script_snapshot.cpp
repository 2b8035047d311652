#include "script/script_snapshot.h"

#include <algorithm>

namespace sw {

ScriptSnapshot takeSnapshot(const ScriptDocument& document)
{
    ScriptSnapshot snapshot;
    snapshot.shownFlow = document.shownFlow();
    snapshot.anchor = document.view().anchor();
    snapshot.selected = document.view().selected();
    for (int f = 0; f < FlowCount; ++f) {
        QStringList& lines = snapshot.flows[f];
        if (f == snapshot.shownFlow) {
            for (const QString& item : document.view().items()) {
                if (item != ConnectorLine)
                    lines << item;
            }
            continue;
        }
        for (const QString& line : document.store().flows[f]) {
            if (line.isEmpty())
                break;
            lines << line;
        }
    }
    return snapshot;
}

void restoreSnapshot(ScriptDocument& document, const ScriptSnapshot& snapshot)
{
    for (int f = 0; f < FlowCount; ++f) {
        auto& flow = document.store().flows[f];
        flow.fill(QString());
        // A snapshot holds what a flow view held: never more lines than a flow takes.
        const auto count = std::min<qsizetype>(snapshot.flows[f].size(), LastLineSlot + 1);
        std::copy_n(snapshot.flows[f].cbegin(), count, flow.begin());
    }
    document.keepPlace();
    document.Render_Flow(snapshot.shownFlow);
    document.view().select(snapshot.selected);
    if (snapshot.anchor != snapshot.selected)
        document.view().selectRun(snapshot.anchor, snapshot.selected);
}

} // namespace sw
