#pragma once

#include "app/controls/window_controls.h"
#include "steps/panel_fill.h"
#include "steps/panel_rules.h"

#include <QComboBox>
#include <QLineEdit>

#include <map>
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
    // Every panel back to its first entries and empty fields, none marked as loaded.
    void clearFields();

    PanelEntry read(StepKind panel) const;
    // Writes back the text fields that a Set command changed.
    void write(StepKind panel, const PanelEntry& entry);
    // A Set or Replace of a panel: its fields read, checked and adjusted, the adjustments
    // written back; a step taken ends the fields' own undo history.
    SetResult takeStep(StepKind panel, bool flowFull);

    // Puts a step loaded back from the flow into its panel's fields, unfiltered.
    void apply(const PanelFill& fill);
    // The panel that holds a step loaded back, marked in its title until the mark moves or
    // goes (None); its first field gets the focus, its text selected to be typed over.
    void markLoaded(StepKind panel);
    // The focus into the panel's first field, its text selected to be typed over.
    void focusPanel(StepKind panel);
    StepKind loaded() const { return m_loaded; }
    // The panel of a field or drop-down list, None for any other widget.
    StepKind panelOf(const QWidget* widget) const;

private:
    struct Field
    {
        StepKind panel;
        PanelField role;
        QComboBox* list; // a drop-down list, or
        QLineEdit* edit; // a text field
    };
    const Field* find(const QString& objectName) const;

    QWidget* widgetOf(const Field& field) const;

    std::vector<Field> m_fields;
    std::vector<std::pair<QComboBox*, const QStringList& (*)()>> m_lists;
    std::map<StepKind, QWidget*> m_titles;
    StepKind m_loaded = StepKind::None;
};

} // namespace sw
