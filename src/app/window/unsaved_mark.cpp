#include "app/window/unsaved_mark.h"

#include "script/script_document.h"

#include <QWidget>

namespace sw {

UnsavedMark::UnsavedMark(QWidget* window, ScriptDocument& document)
    : QObject(window), m_window(window), m_document(document)
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &UnsavedMark::update);
    connect(&m_document.view(), &FlowView::itemsChanged, &m_pending, qOverload<>(&QTimer::start));
}

void UnsavedMark::update()
{
    m_pending.stop();
    // The flow shown is compared as it stands in the list.
    if (m_document.Harvest_Flow(m_document.shownFlow()).isEmpty())
        m_window->setWindowModified(m_document.Is_Script_Changed());
}

} // namespace sw
