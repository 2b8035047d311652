#include "app/desktop/window_frame.h"

#include <QWindow>

namespace sw {

QMargins expectedWindowFrame(QWindow* window)
{
    // Windows gives the frame as soon as the window exists, before it is shown.
    return window->frameMargins();
}

} // namespace sw
