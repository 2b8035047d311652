#include "app/app_style.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

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

// An icon whose PNG files are decoded when it is first drawn or asked for its sizes, not when
// it is made: the window's first paint on its own needs none of its pictures.
class DeferredIcon : public QIconEngine
{
public:
    explicit DeferredIcon(QStringList files) : m_files(std::move(files)) {}

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
    bool isNull() override { return m_files.isEmpty(); }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon& icon()
    {
        if (!m_icon) {
            m_icon.emplace();
            // Read as PNG by name: probing the format would load every image plugin.
            for (const QString& file : std::as_const(m_files))
                m_icon->addPixmap(QPixmap::fromImage(QImageReader(file, "png").read()));
        }
        return *m_icon;
    }

    QStringList m_files;
    std::optional<QIcon> m_icon;
};

} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}

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
    return QIcon(new DeferredIcon({u":/images/app-icon-32.png"_s, u":/images/app-icon-256.png"_s}));
}

} // namespace sw
