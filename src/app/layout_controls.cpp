#include "app/app_style.h"
#include "app/main_window.h"
#include "app/twips.h"
#include "app/window_layout.h"
#include "app/window_placement.h"

#include <QResizeEvent>

// The window's size in twips, and the layout rule that scales its contents with it.
namespace sw {

namespace {

// The font a control has until the layout scales it.
QFont designFont(const DesignControl& control)
{
    return appFont(designFontSize(control.kind), control.kind == ControlKind::FlowHeading);
}

} // namespace

QSizeF MainWindow::outerSizeTwips() const
{
    const QSize outer = m_outerGeometry->outerSize();
    return {pixelsToTwips(outer.width(), logicalDpiX()),
            pixelsToTwips(outer.height(), logicalDpiY())};
}

void MainWindow::setOuterSizeTwips(double width, double height)
{
    m_outerGeometry->place(
        {frameGeometry().topLeft(),
         QSize(twipsToPixels(width, logicalDpiX()), twipsToPixels(height, logicalDpiY()))});
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutToWindow();
}

void MainWindow::layoutToWindow()
{
    const QSizeF outer = outerSizeTwips();
    Layout_Controls(outer.width(), outer.height());
}

void MainWindow::Layout_Controls(double outerWidth, double outerHeight)
{
    const LayoutFactors factors = layoutFactors(outerWidth, outerHeight);
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const auto design = designControls();
    // Last row first: a panel's font reaches the fields inside it, which lay their text out
    // again in it unless they have a font of their own by then.
    for (std::size_t row = design.size(); row-- > 0;) {
        QWidget* widget = m_controls.widget(row);
        const Placement placement = placeControl(design[row], factors);
        // What the placement leaves empty keeps its current value.
        QRect geometry = widget->geometry();
        if (placement.width)
            geometry.setWidth(twipsToPixels(*placement.width, dpiX));
        if (placement.height)
            geometry.setHeight(twipsToPixels(*placement.height, dpiY));
        if (placement.left)
            geometry.moveLeft(twipsToPixels(*placement.left, dpiX));
        if (placement.top)
            geometry.moveTop(twipsToPixels(*placement.top, dpiY));
        widget->setGeometry(geometry);
        // The first layout starts from the design font.
        const bool ownFont = widget->testAttribute(Qt::WA_SetFont);
        if (placement.fontSize || !ownFont) {
            QFont font = ownFont ? widget->font() : designFont(design[row]);
            if (placement.fontSize)
                font.setPointSize(*placement.fontSize);
            widget->setFont(font);
        }
        if (sizesItself(design[row].kind))
            widget->adjustSize();
    }
}

} // namespace sw
