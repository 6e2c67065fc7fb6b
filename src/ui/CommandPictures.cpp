#include "ui/CommandPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include "ui/Artwork.h"

namespace zephrix::art {
namespace {

const QColor Outline{0x2b, 0x3f, 0x55};

// A fill running from one colour at `from` to another at `to`.
QLinearGradient blend(QPointF from, QPointF to, const QColor& first, const QColor& last)
{
    QLinearGradient fill(from, to);
    fill.setColorAt(0.0, first);
    fill.setColorAt(1.0, last);
    return fill;
}

void paintOpen(QPainter& p)
{
    // An open folder: the back wall with its tab, then the front flap tilted
    // towards the viewer.
    const QPen rim(QColor(0x9a, 0x6a, 0x12), 1.0);
    p.setPen(rim);
    p.setBrush(QColor(0xd9, 0x9a, 0x2b));
    p.drawPolygon(QPolygonF({{2.5, 19.5}, {2.5, 5.5}, {8.5, 5.5}, {10.5, 7.5}, {19.5, 7.5}, {19.5, 19.5}}));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xb8, 0xc6, 0xd4), 0.8));
    p.drawRect(QRectF(5.0, 4.0, 11.0, 9.0));
    p.setPen(rim);
    p.setBrush(blend({0, 10.5}, {0, 19.5}, QColor(0xff, 0xd7, 0x7a), QColor(0xf0, 0xb0, 0x3c)));
    p.drawPolygon(QPolygonF({{2.5, 19.5}, {6.0, 10.5}, {22.5, 10.5}, {19.5, 19.5}}));
}

void paintRename(QPainter& p)
{
    // A text field holding "ab" with the caret after it.
    p.setPen(QPen(colour::Navy, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 6.5, 21.0, 11.0), 2.0, 2.0);
    QFont font = uiFont(8, true);
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(colour::Ink);
    p.drawText(QRectF(3.5, 6.5, 12.0, 11.0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("ab"));
    p.setPen(QPen(colour::Teal, 1.4));
    p.drawLine(QPointF(16.5, 4.0), QPointF(16.5, 20.0));
    p.setPen(QPen(colour::Teal, 1.0));
    p.drawLine(QPointF(14.5, 4.0), QPointF(18.5, 4.0));
    p.drawLine(QPointF(14.5, 20.0), QPointF(18.5, 20.0));
}

void paintProperties(QPainter& p)
{
    // A sheet with a coloured title strip and lines of details.
    p.setPen(QPen(Outline, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3.5, 2.5, 17.0, 19.0), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::Teal);
    p.drawRect(QRectF(4.0, 3.0, 16.0, 4.0));
    for (int line = 0; line < 4; ++line) {
        const qreal y = 9.5 + line * 3.0;
        p.setBrush(colour::Navy);
        p.drawRect(QRectF(6.0, y, 2.0, 1.6));
        p.setBrush(QColor(0x9f, 0xb2, 0xc4));
        p.drawRect(QRectF(9.5, y, line % 2 ? 6.5 : 8.5, 1.6));
    }
}

void paintDelete(QPainter& p)
{
    // A waste bin: lid with its handle, then a tapering body with ribs.
    const QColor red(0xc9, 0x3c, 0x22);
    p.setPen(QPen(red.darker(140), 1.0));
    p.setBrush(QColor(0xe8, 0x6a, 0x4c));
    p.drawRoundedRect(QRectF(9.0, 2.5, 6.0, 3.0), 1.0, 1.0);
    p.drawRoundedRect(QRectF(3.5, 4.5, 17.0, 3.0), 1.0, 1.0);
    p.setBrush(blend({5, 0}, {19, 0}, QColor(0xf0, 0x80, 0x60), red));
    p.drawPolygon(QPolygonF({{5.0, 8.0}, {19.0, 8.0}, {17.5, 21.5}, {6.5, 21.5}}));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {9.0, 12.0, 15.0})
        p.drawLine(QPointF(x, 10.5), QPointF(x, 19.0));
}

} // namespace

void paintToolbarIcon(QPainter& painter, const QRectF& box, ToolbarIcon icon, bool pressed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (pressed) {
        painter.setPen(QPen(QColor(0x8f, 0xa6, 0xbd), 1.0));
        painter.setBrush(QColor(0xc9, 0xd6, 0xe3));
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    // Drawn on a 24-unit grid inside a small margin; pressed, one pixel lower
    // and to the right.
    const QRectF inner = box.adjusted(1.5, 1.5, -1.5, -1.5).translated(pressed ? QPointF(1, 1) : QPointF());
    if (icon == ToolbarIcon::Help) {
        paintNoticeBadge(painter, inner.adjusted(1, 1, -1, -1), NoticeKind::Question);
        painter.restore();
        return;
    }
    painter.translate(inner.topLeft());
    painter.scale(inner.width() / 24.0, inner.height() / 24.0);
    switch (icon) {
    case ToolbarIcon::Open:
        paintOpen(painter);
        break;
    case ToolbarIcon::Rename:
        paintRename(painter);
        break;
    case ToolbarIcon::Properties:
        paintProperties(painter);
        break;
    case ToolbarIcon::Delete:
        paintDelete(painter);
        break;
    case ToolbarIcon::Help:
        break;
    }
    painter.restore();
}

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
