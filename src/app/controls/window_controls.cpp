#include "app/controls/window_controls.h"

#include "app/controls/app_style.h"
#include "app/controls/arrow_button.h"
#include "app/controls/field_edit.h"
#include "app/controls/twips.h"

#include <QEvent>
#include <QFrame>

#include <map>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// A drop-down list whose entries unfold in the list's colour and font. The unfolding view is made
// when first shown: asking for it at start-up would build it before it is needed, and so would
// the toolkit, which gives it each new font of the list. Until the view is made, the list's font
// reaches it when it is.
class FieldComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        if (!m_viewMade) {
            view()->window()->setFont(font());
            setColour(view(), QPalette::Window, FieldColour);
            setColour(view(), QPalette::Base, FieldColour);
            m_viewMade = true;
        }
        QComboBox::showPopup();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        // Before the list is first shown, the toolkit's handling would only make the view: the
        // size hint it drops is dropped again at that show. From then on it has its way.
        if (event->type() == QEvent::FontChange && !m_viewMade && !m_shown) {
            QWidget::changeEvent(event);
            return;
        }
        QComboBox::changeEvent(event);
    }

    void showEvent(QShowEvent* event) override
    {
        m_shown = true;
        QComboBox::showEvent(event);
    }

private:
    bool m_viewMade = false;
    bool m_shown = false;
};

FieldEdit::Filter filterFor(const DesignControl& control)
{
    if (control.field != PanelField::Value)
        return FieldEdit::Filter::Comment;
    const bool timeField = control.panel == StepKind::Input || control.panel == StepKind::Wait;
    return timeField ? FieldEdit::Filter::Digits : FieldEdit::Filter::UpperCase;
}

bool takesFocus(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ModeList:
    case ControlKind::ChoiceList:
    case ControlKind::TextBox:
    case ControlKind::SetButton:
    case ControlKind::FlowList:
    case ControlKind::ListButton:
        return true;
    default:
        return false;
    }
}

QWidget* makeControl(const DesignControl& control, QWidget* parent)
{
    const QString caption(control.caption);
    switch (control.kind) {
    case ControlKind::ModeList:
    case ControlKind::ChoiceList: {
        auto* list = new FieldComboBox(parent);
        setColour(list, QPalette::Button, FieldColour);
        setColour(list, QPalette::Base, FieldColour);
        return list;
    }
    case ControlKind::Panel: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return frame;
    }
    case ControlKind::Title: {
        auto* title = new QLabel(caption, parent);
        title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        title->setWordWrap(true); // the Load File title takes two lines
        setColour(title, QPalette::Window, TitleColour);
        return title;
    }
    case ControlKind::TextBox: {
        auto* field = new FieldEdit(filterFor(control), parent);
        setColour(field, QPalette::Base, FieldColour);
        return field;
    }
    case ControlKind::SetButton: {
        auto* button = new ArrowButton(parent);
        setColour(button, QPalette::Button, FieldColour);
        return button;
    }
    case ControlKind::ListButton: {
        auto* button = new QPushButton(caption, parent);
        setColour(button, QPalette::Button, FieldColour);
        return button;
    }
    case ControlKind::FlowList: {
        auto* list = new FlowListView(parent);
        // A line too long for the list is shortened inside, so its step number stays in sight.
        list->setTextElideMode(Qt::ElideMiddle);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setUniformItemSizes(true);
        return list;
    }
    default: // the captions that size themselves
        return new QLabel(caption, parent);
    }
}

// The font a control has until the layout scales it.
QFont designFont(const DesignControl& control)
{
    return appFont(designFontSize(control.kind), control.kind == ControlKind::FlowHeading);
}

} // namespace

WindowControls::WindowControls(QWidget* clientArea) : m_clientArea(clientArea)
{
    const double dpiX = clientArea->logicalDpiX();
    const double dpiY = clientArea->logicalDpiY();
    std::map<StepKind, QWidget*> panels;
    QWidget* previousInFocus = nullptr;
    const auto design = designControls();
    for (std::size_t row = 0; row < design.size(); ++row) {
        const DesignControl& control = design[row];
        QWidget* parent = isInsidePanel(control.kind) ? panels.at(control.panel) : clientArea;
        QWidget* widget = makeControl(control, parent);
        widget->setObjectName(QString(control.name));
        if (const QString spoken = spokenName(row); !spoken.isEmpty())
            widget->setAccessibleName(spoken);
        // Some platforms' screen readers name a drop-down list by its caption label alone.
        if (control.kind == ControlKind::ChoiceList && design[row - 1].kind == ControlKind::Caption)
            static_cast<QLabel*>(m_widgets.back())->setBuddy(widget);
        // The fonts come with the window's first layout, and the captions that size themselves
        // are measured there: set or measured here too, they would load fonts the window never
        // shows.
        if (sizesItself(control.kind)) {
            widget->move(twipsToPixels(control.left, dpiX), twipsToPixels(control.top, dpiY));
        } else {
            widget->setGeometry(twipsToPixels(control.left, control.top, control.width,
                                              control.height, dpiX, dpiY));
        }
        if (control.kind == ControlKind::Panel)
            panels[control.panel] = widget;
        if (takesFocus(control.kind)) {
            if (previousInFocus)
                QWidget::setTabOrder(previousInFocus, widget);
            previousInFocus = widget;
        }
        m_widgets.push_back(widget);
    }
}

QWidget* WindowControls::widget(QLatin1StringView name) const
{
    const auto controls = designControls();
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (controls[row].name == name)
            return m_widgets[row];
    }
    return nullptr;
}

QComboBox* WindowControls::modeList() const
{
    return static_cast<QComboBox*>(widget("cmbMode"_L1));
}

QLabel* WindowControls::flowHeading() const
{
    return static_cast<QLabel*>(widget("lblFlow"_L1));
}

FlowListView* WindowControls::flowList() const
{
    return static_cast<FlowListView*>(widget("lstScript"_L1));
}

QPushButton* WindowControls::button(QLatin1StringView name) const
{
    return static_cast<QPushButton*>(widget(name));
}

void WindowControls::layOut(const LayoutFactors& factors, double dpiX, double dpiY)
{
    const auto design = designControls();
    // Last row first: a panel's font reaches the fields inside it, which lay their text out
    // again in it unless they have a font of their own by then.
    for (std::size_t row = design.size(); row-- > 0;) {
        QWidget* control = widget(row);
        const Placement placement = placeControl(design[row], factors);
        // What the placement leaves empty keeps its current value.
        QRect geometry = control->geometry();
        if (placement.width)
            geometry.setWidth(twipsToPixels(*placement.width, dpiX));
        if (placement.height)
            geometry.setHeight(twipsToPixels(*placement.height, dpiY));
        if (placement.left)
            geometry.moveLeft(twipsToPixels(*placement.left, dpiX));
        if (placement.top)
            geometry.moveTop(twipsToPixels(*placement.top, dpiY));
        control->setGeometry(geometry);
        // The first layout starts from the design font.
        const bool ownFont = control->testAttribute(Qt::WA_SetFont);
        if (placement.fontSize || !ownFont) {
            QFont font = ownFont ? control->font() : designFont(design[row]);
            if (placement.fontSize)
                font.setPointSize(*placement.fontSize);
            control->setFont(font);
        }
        if (sizesItself(design[row].kind))
            control->adjustSize();
    }
}

} // namespace sw
