#pragma once
#include <QRectF>

class QPainter;

// The header bar's window-size buttons. Vectors, like the rest of the
// artwork, so they stay sharp at any scale factor.
namespace zephrix::art {

// The header bar's glass square holding a window outline (maximize) or two
// overlapping ones (back to the normal size).
enum class WindowSizePicture { Maximize, Normalize };
void paintWindowSizePicture(QPainter& painter, const QRectF& box, WindowSizePicture picture, bool pressed);

} // namespace zephrix::art
