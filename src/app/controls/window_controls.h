#pragma once

#include "app/controls/flow_list_view.h"
#include "app/controls/window_design.h"
#include "app/controls/window_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <vector>

// The main window's controls, made from the design table: each named as in the table,
// coloured, with its place and size (the captions that size themselves: their place), and the
// focus order of the table. The window's layout gives them their fonts.
namespace sw {

class WindowControls
{
public:
    // Makes the controls inside the window's client area, which the caller then owns.
    explicit WindowControls(QWidget* clientArea);

    QWidget* clientArea() const { return m_clientArea; }
    // The control of the design table's row index.
    QWidget* widget(std::size_t row) const { return m_widgets.at(row); }
    QWidget* widget(QLatin1StringView name) const;

    QComboBox* modeList() const;
    QLabel* flowHeading() const;
    FlowListView* flowList() const;
    QPushButton* button(QLatin1StringView name) const;

    // Places every control and sets its font by the layout factors, at the screen's logical
    // dots per inch.
    void layOut(const LayoutFactors& factors, double dpiX, double dpiY);

private:
    QWidget* m_clientArea;
    std::vector<QWidget*> m_widgets; // by row of the design table
};

} // namespace sw
