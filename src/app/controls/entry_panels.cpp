#include "app/controls/entry_panels.h"

#include "app/controls/app_style.h"
#include "app/controls/field_note.h"

#include <algorithm>

namespace sw {

EntryPanels::EntryPanels(const WindowControls& controls)
{
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        const DesignControl& control = design[row];
        QWidget* widget = controls.widget(row);
        if (control.kind == ControlKind::Title)
            m_titles[control.panel] = widget;
        if (control.entries)
            m_lists.emplace_back(static_cast<QComboBox*>(widget), control.entries);
        if (!control.field)
            continue;
        const bool isList = control.kind == ControlKind::ChoiceList;
        m_fields.push_back({control.panel, *control.field,
                            isList ? static_cast<QComboBox*>(widget) : nullptr,
                            isList ? nullptr : static_cast<QLineEdit*>(widget)});
    }
}

void EntryPanels::Fill_Choice_Lists()
{
    for (const auto& [list, entries] : m_lists) {
        list->addItems(entries());
        list->setCurrentIndex(0);
    }
}

void EntryPanels::clearFields()
{
    markLoaded(StepKind::None);
    for (const Field& field : m_fields) {
        if (field.list)
            field.list->setCurrentIndex(0);
        else
            field.edit->clear();
    }
}

QWidget* EntryPanels::widgetOf(const Field& field) const
{
    return field.list ? static_cast<QWidget*>(field.list) : field.edit;
}

const EntryPanels::Field* EntryPanels::find(const QString& objectName) const
{
    for (const Field& field : m_fields) {
        if (widgetOf(field)->objectName() == objectName)
            return &field;
    }
    return nullptr;
}

StepKind EntryPanels::panelOf(const QWidget* widget) const
{
    for (const Field& field : m_fields) {
        if (widgetOf(field) == widget)
            return field.panel;
    }
    return StepKind::None;
}

PanelEntry EntryPanels::read(StepKind panel) const
{
    PanelEntry entry;
    for (const Field& field : m_fields) {
        if (field.panel == panel)
            entry[field.role] = field.list ? field.list->currentText() : field.edit->text();
    }
    return entry;
}

void EntryPanels::write(StepKind panel, const PanelEntry& entry)
{
    for (const Field& field : m_fields) {
        if (field.panel == panel && field.edit && field.edit->text() != entry[field.role])
            field.edit->setText(entry[field.role]);
    }
}

SetResult EntryPanels::takeStep(StepKind panel, bool flowFull)
{
    const SetResult result = Set_Step(panel, read(panel), flowFull);
    write(panel, result.entry);
    if (!result.note.isEmpty()) {
        const auto value = std::find_if(m_fields.begin(), m_fields.end(), [&](const Field& f) {
            return f.panel == panel && f.role == PanelField::Value;
        });
        value->edit->setFocus(Qt::OtherFocusReason);
        showFieldNote(value->edit, result.note);
    }
    if (result.line.isEmpty())
        return result;
    // The typing before the step is done with: Undo now takes back the step, not the typing.
    for (const Field& field : m_fields) {
        if (field.panel == panel && field.edit && field.edit->isUndoAvailable())
            field.edit->setText(field.edit->text());
    }
    return result;
}

void EntryPanels::markLoaded(StepKind panel)
{
    if (QWidget* title = m_titles[m_loaded])
        setColour(title, QPalette::Window, TitleColour);
    m_loaded = panel;
    QWidget* title = m_titles[panel];
    if (!title)
        return;
    setColour(title, QPalette::Window, LoadedColour);
    focusPanel(panel);
}

void EntryPanels::focusPanel(StepKind panel)
{
    // The fields come in focus order; the first is the panel's first.
    for (const Field& field : m_fields) {
        if (field.panel != panel)
            continue;
        widgetOf(field)->setFocus(Qt::OtherFocusReason);
        if (field.edit)
            field.edit->selectAll();
        return;
    }
}

void EntryPanels::apply(const PanelFill& fill)
{
    for (const ChoiceFill& choice : fill.choices) {
        if (const Field* found = find(choice.list); found && found->list)
            found->list->setCurrentIndex(choice.position);
    }
    for (const TextFill& text : fill.texts) {
        if (const Field* found = find(text.field); found && found->edit)
            found->edit->setText(text.text);
    }
}

} // namespace sw
