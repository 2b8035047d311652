#pragma once

#include "app/window_controls.h"
#include "steps/panel_fill.h"
#include "steps/panel_rules.h"

#include <QComboBox>
#include <QLineEdit>

#include <vector>

// The fields of the eight entry panels, found by panel and role: what a Set command reads and
// writes back, and where a step loaded back into its panel goes.
namespace sw {

class EntryPanels
{
public:
    explicit EntryPanels(const WindowControls& controls);

    // Fills every drop-down list, the flow selector first, in the order of its entries, and
    // selects the first entry of each.
    void Fill_Choice_Lists();
    // Every panel back to its first entries and empty fields.
    void clearFields();

    PanelEntry read(StepKind panel) const;
    // Writes back the text fields that a Set command changed.
    void write(StepKind panel, const PanelEntry& entry);

    // Puts a step loaded back from the flow into its panel's fields, unfiltered.
    void apply(const PanelFill& fill);

private:
    struct Field
    {
        StepKind panel;
        PanelField role;
        QComboBox* list; // a drop-down list, or
        QLineEdit* edit; // a text field
    };
    const Field* find(const QString& objectName) const;

    std::vector<Field> m_fields;
    std::vector<std::pair<QComboBox*, const QStringList& (*)()>> m_lists;
};

} // namespace sw
