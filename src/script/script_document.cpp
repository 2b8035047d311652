#include "script/script_document.h"

#include "steps/step_line.h"

using namespace Qt::StringLiterals;

namespace sw {

FlowHeading flowHeading(int flowMode)
{
    if (flowIndex(flowMode) == 0)
        return {u"Normal mode script flow"_s, {128, 0, 255}};
    return {u"Error mode script flow"_s, {255, 10, 0}};
}

namespace {

// Copies each flow up to and including the empty slot that ends it.
template <typename From, typename To> void copyFlows(const From& from, To& to)
{
    for (int f = 0; f < FlowCount; ++f) {
        for (int slot = 0; slot <= LastLineSlot; ++slot) {
            to.flows[f][slot] = from.flows[f][slot];
            if (from.flows[f][slot].isEmpty())
                break;
        }
    }
}

} // namespace

void ScriptDocument::New_Script()
{
    for (auto& flow : m_saved.flows) {
        flow.fill(QString());
        flow[0] = QString(StartLine);
        flow[1] = QString(EndLine);
    }
    Copy_Saved_To_Store();
    showFromStart(0);
}

void ScriptDocument::showFromStart(int flowMode)
{
    m_places.fill({});
    Render_Flow(flowMode);
    m_view.select(0);
}

void ScriptDocument::keepPlace()
{
    m_places[m_shownFlow].anchor = m_view.anchor();
    m_places[m_shownFlow].selected = m_view.selected();
}

ErrorText ScriptDocument::Copy_Saved_To_Store()
{
    for (auto& flow : m_store.flows)
        flow.fill(QString());
    copyFlows(m_saved, m_store);
    return {};
}

ErrorText ScriptDocument::Copy_Store_To_Saved()
{
    // The saved copy is not emptied first: lines of a longer earlier script may stay behind
    // the copied terminator, where nothing reads them.
    copyFlows(m_store, m_saved);
    return {};
}

bool ScriptDocument::Is_Script_Changed() const
{
    for (int f = 0; f < FlowCount; ++f) {
        for (int slot = 0; slot <= LastLineSlot; ++slot) {
            if (m_saved.flows[f][slot] != m_store.flows[f][slot])
                return true;
            if (m_store.flows[f][slot].isEmpty())
                break;
        }
    }
    return false;
}

ErrorText ScriptDocument::Render_Flow(int flowMode)
{
    const int f = flowIndex(flowMode);
    QStringList items;
    for (int slot = 0; slot <= LastLineSlot; ++slot) {
        const QString& line = m_store.flows[f][slot];
        if (line.isEmpty())
            break;
        items << line;
        if (!isEndLine(line))
            items << QString(ConnectorLine);
    }
    m_view.setItems(items);
    m_shownFlow = f;
    return {};
}

ErrorText ScriptDocument::Harvest_Flow(int flowMode)
{
    const int f = flowIndex(flowMode);
    auto& flow = m_store.flows[f];
    for (int slot = 0; slot <= LastLineSlot; ++slot)
        flow[slot].clear();
    int k = 0;
    for (const QString& item : m_view.items()) {
        if (item == ConnectorLine)
            continue;
        // The view holds at most 258 lines; a longer one could only come from a fault.
        if (k > LastLineSlot)
            return u"The flow holds more than %1 lines."_s.arg(MaxFlowLines);
        flow[k++] = item;
    }
    return {};
}

QStringList ScriptDocument::Switch_Flow(int position)
{
    QStringList failures;
    if (FormLoading)
        return failures;
    if (const ErrorText error = Harvest_Flow(m_shownFlow); !error.isEmpty())
        failures << error;
    keepPlace();
    if (const ErrorText error = Render_Flow(position); !error.isEmpty())
        failures << error;
    const Place& back = place();
    m_view.select(back.selected);
    if (back.anchor != back.selected)
        m_view.selectRun(back.anchor, back.selected);
    return failures;
}

} // namespace sw
