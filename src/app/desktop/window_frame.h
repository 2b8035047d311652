#pragma once

#include <QMargins>

class QWindow;

namespace sw {

// The frame the window manager puts round a top-level window, in the window's pixels, each side
// rounded up; asked of the window manager before the window is first shown, so it can be mapped
// once at its final size. Null when the platform cannot tell yet.
QMargins expectedWindowFrame(QWindow* window);

} // namespace sw
