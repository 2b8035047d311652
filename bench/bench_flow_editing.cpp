// Prints how long the flow edits take on a full flow (258 lines, 515 items), the worst case a
// technician can reach: every insertion near the top renumbers the whole flow.
#include "script/flow_editing.h"
#include "script/numbering.h"
#include "script/script_document.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace sw;

namespace {

void fillFlow(ScriptDocument& doc)
{
    auto& flow = doc.store().flows[0];
    flow.fill({});
    flow[0] = u"(Start)"_s;
    for (int slot = 1; slot < MaxFlowLines - 1; ++slot)
        flow[slot] = u"Input , IN3 , OFF , 500  // wait for ready:(%1)"_s.arg(slot);
    flow[MaxFlowLines - 1] = u"(End)"_s;
}

template <typename Work> void report(const char* what, int repeats, Work work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        work();
    std::printf("%-44s %10.1f us\n", what, double(timer.nsecsElapsed()) / 1000.0 / repeats);
}

} // namespace

int main()
{
    ScriptDocument doc;
    fillFlow(doc);
    report("render a full flow", 200, [&] { doc.Render_Flow(0); });
    report("harvest a full flow", 200, [&] { doc.Harvest_Flow(0); });
    report("renumber a full flow from the top", 200, [&] { Renumber_Steps(doc.view(), 2); });
    report("number both flows of the store", 200, [&] { Number_All_Steps(doc.store()); });
    report("move the first step down and back", 200, [&] {
        doc.view().select(2);
        Move_Step_Down(doc.view());
        Move_Step_Up(doc.view());
    });
    report("delete the first step, insert it again", 200, [&] {
        doc.view().select(2);
        Delete_Selected_Step(doc.view());
        doc.view().select(0);
        Insert_Step_Line(doc.view(), u"EPR"_s);
    });
    doc.Harvest_Flow(0);
    doc.Copy_Store_To_Saved();
    bool changed = false;
    report("change test on an unchanged full script", 200,
           [&] { changed = changed || doc.Is_Script_Changed(); });
    if (changed)
        std::printf("unexpected: the script counts as changed\n");
    return 0;
}
