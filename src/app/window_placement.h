#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

// The main window is sized by its outer size, frame included, as the settings store it.
namespace sw {

// The outer rectangle for a window of an outer size in pixels, which may be any number, on a
// screen's available area: at least the minimum, no larger than the area, and centred in it,
// so all of the window is on screen.
QRect placeOnScreen(QSizeF outer, QSize minimum, const QRect& available);

// Gives a top-level window an outer rectangle and holds it until the platform reports the
// window's frame. A window manager on X11 may add its frame only once the window is mapped;
// sized without it, the window would come out larger by the frame, and a size stored at the
// close would grow by the frame on every run. The hold ends when the window is shown with its
// frame, or when its size changes by other hands (the user, the window manager).
class OuterGeometry : public QObject
{
public:
    // Becomes a child of the window and watches it.
    explicit OuterGeometry(QWidget* window);

    void place(const QRect& outer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    void follow();
    QMargins frame() const;

    QWidget* m_window;
    QRect m_outer;
    QMargins m_frame; // the frame the outer rectangle was last applied with
    QSize m_client;   // the size that gave the window
    bool m_holding = false;
};

} // namespace sw
