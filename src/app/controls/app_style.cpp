#include "app/controls/app_style.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

// Resources of a static library need their initialiser called by name, outside any namespace.
static void initImages()
{
    Q_INIT_RESOURCE(images);
}

namespace sw {

namespace {

constexpr int ArrowNarrowing = 4; // from Fusion's 19 pixels to 15

constexpr QColor FocusColour{0, 70, 200};
constexpr int FocusWidth = 2;

void drawFocusRing(const QStyleOption* option, QPainter* painter)
{
    if (!(option->state & QStyle::State_HasFocus))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(FocusColour, FocusWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    // The pen straddles the rectangle: half a pen in from the edge keeps it all inside.
    const double inset = FocusWidth / 2.0;
    painter->drawRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

void ensureImages()
{
    static const bool loaded = (initImages(), true);
    Q_UNUSED(loaded);
}

// An icon made when it is first drawn or asked for its sizes, not when it is set: the window's
// first paint needs none of its pictures, and making one decodes PNG files.
class DeferredIcon : public QIconEngine
{
public:
    explicit DeferredIcon(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; } // every icon it makes has pictures
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}

QIcon WindowStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                const QWidget* widget) const
{
    // Every menu bar makes the button it shows when its menus do not fit, with this icon;
    // Fusion's file of it is found by probing every image plugin, which loads them all. The
    // button shows only in a very narrow window, so its icon is made if it ever does.
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    const QStyle* base = baseStyle();
    return QIcon(new DeferredIcon([base, icon] { return base->standardIcon(icon); }));
}

QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl sub, const QWidget* widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    if (control != CC_ComboBox)
        return rect;
    if (sub == SC_ComboBoxArrow)
        rect.setLeft(rect.left() + ArrowNarrowing);
    else if (sub == SC_ComboBoxEditField)
        rect.adjust(-1, 0, ArrowNarrowing, 0);
    return rect;
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit)
        drawFocusRing(option, painter);
}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox)
        drawFocusRing(option, painter);
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton)
        drawFocusRing(option, painter);
}

QFont appFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

QIcon appIcon()
{
    ensureImages();
    return QIcon(new DeferredIcon([] {
        QIcon icon;
        // Read as PNG by name, and only so: a reader left to detect the format asks every
        // image plugin first, which loads them all and the libraries they need.
        for (const QString& file :
             {u":/images/app-icon-32.png"_s, u":/images/app-icon-256.png"_s}) {
            QImageReader reader(file, "png");
            reader.setAutoDetectImageFormat(false);
            icon.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return icon;
    }));
}

} // namespace sw
