#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

#include <functional>

class QWidget;

// The main window is sized by its outer size, frame included, as the settings store it.
namespace sw {

// The outer rectangle for a window of an outer size in pixels, which may be any number, on a
// screen's available area: no larger than the area, and centred in it, so all of the window
// is on screen.
QRect placeOnScreen(QSizeF outer, const QRect& available);

// Gives a top-level window an outer rectangle, frame included, and tells its outer size.
// The window manager is asked for the frame before the window is first shown, so the window is
// mapped once, at its final size. Where the frame shows only once the window is mapped, the
// window is fitted again then; sized without it, it would come out larger by the frame, and a
// size stored at the close would grow by the frame on every run. That hold ends when the window
// is shown with its frame, or when its size changes by other hands (the user, the window
// manager).
class OuterGeometry : public QObject
{
public:
    // Becomes a child of the window and watches it; frameChanged runs whenever the frame, and
    // so the outer size, changes without the window's own size changing.
    OuterGeometry(QWidget* window, std::function<void()> frameChanged);

    void place(const QRect& outer);
    // The window's size with its frame; the frame may be known before the toolkit reports it.
    QSize outerSize() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    void follow();
    QMargins frame() const;

    QWidget* m_window;
    std::function<void()> m_frameChanged;
    QRect m_outer;
    QMargins m_frame;    // the frame the outer rectangle was last applied with
    QMargins m_expected; // the frame the window manager said it would add
    QMargins m_reported; // the frame last told through frameChanged
    QSize m_client;      // the size that gave the window
    bool m_holding = false;
};

} // namespace sw
