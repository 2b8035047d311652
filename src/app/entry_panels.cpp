#include "app/entry_panels.h"

namespace sw {

EntryPanels::EntryPanels(const WindowControls& controls)
{
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        const DesignControl& control = design[row];
        QWidget* widget = controls.widget(row);
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
    for (const Field& field : m_fields) {
        if (field.list)
            field.list->setCurrentIndex(0);
        else
            field.edit->clear();
    }
}

const EntryPanels::Field* EntryPanels::find(const QString& objectName) const
{
    for (const Field& field : m_fields) {
        const QWidget* widget = field.list ? static_cast<QWidget*>(field.list) : field.edit;
        if (widget->objectName() == objectName)
            return &field;
    }
    return nullptr;
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
