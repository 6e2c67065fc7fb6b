#include "ui/CommandPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include "ui/Artwork.h"

namespace zephrix::art {

void paintWindowSizePicture(QPainter& painter, const QRectF& box, WindowSizePicture picture, bool pressed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square = paintHeaderGlass(painter, box, pressed);

    const qreal dip = pressed ? 1 : 0;
    const qreal edge = square.width();
    auto outline = [&](const QRectF& frame) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1.0));
        painter.drawRect(frame);
        // The thick top edge is the outline's title bar.
        painter.fillRect(QRectF(frame.left(), frame.top(), frame.width(), 2.0), Qt::white);
    };
    if (picture == WindowSizePicture::Maximize) {
        outline(
            QRectF(square.left() + edge * 0.24, square.top() + edge * 0.24 + dip, edge * 0.52, edge * 0.5));
    } else {
        const qreal side = edge * 0.38;
        const QRectF backWindow(square.left() + edge * 0.36, square.top() + edge * 0.2 + dip, side, side);
        const QRectF frontWindow(square.left() + edge * 0.22, square.top() + edge * 0.38 + dip, side, side);
        outline(backWindow);
        // The front window hides the part of the back one behind it.
        painter.fillRect(frontWindow, QColor(0x2a, 0x6a, 0x96));
        outline(frontWindow);
    }
    painter.restore();
}

} // namespace zephrix::art
