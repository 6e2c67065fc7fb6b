// The main window's own pictures: toolbar commands, tab strip, picker arrow
// and the Search command. Drawn as vectors so they stay sharp at any scale.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ui/Artwork.h"

namespace zephrix::art {
namespace {

const QColor Amber{0xf0, 0xb9, 0x4a};
const QColor DeepAmber{0xc8, 0x86, 0x1e};
const QColor Signal{0xc9, 0x4a, 0x1e};
const QColor Rule{0xc9, 0xd6, 0xe3};

// Every toolbar picture is drawn on a 24-unit grid.
void toGrid(QPainter& painter, const QRectF& box)
{
    painter.translate(box.topLeft());
    painter.scale(box.width() / 24.0, box.height() / 24.0);
}

QPen outline(const QColor& colour, qreal width = 1.2)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void paintOpen(QPainter& p)
{
    // A folder whose front flap tips open.
    QPainterPath back;
    back.moveTo(2.5, 6);
    back.lineTo(9, 6);
    back.lineTo(11, 8);
    back.lineTo(20.5, 8);
    back.lineTo(20.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(outline(DeepAmber.darker(130)));
    p.setBrush(DeepAmber);
    p.drawPath(back);
    p.setBrush(Qt::white);
    p.setPen(outline(colour::MutedInk, 0.8));
    p.drawRect(QRectF(5, 9.5, 13, 8));
    QPainterPath flap;
    flap.moveTo(2.5, 19.5);
    flap.lineTo(6, 11.5);
    flap.lineTo(23, 11.5);
    flap.lineTo(19.5, 19.5);
    flap.closeSubpath();
    QLinearGradient fill(QPointF(0, 11.5), QPointF(0, 19.5));
    fill.setColorAt(0, Amber.lighter(115));
    fill.setColorAt(1, Amber);
    p.setBrush(fill);
    p.setPen(outline(DeepAmber.darker(130)));
    p.drawPath(flap);
}

void paintRename(QPainter& p)
{
    // A name field with a pencil writing into it.
    p.setPen(outline(colour::Navy));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 8, 17, 9), 1.5, 1.5);
    p.setPen(outline(colour::Ink, 1.6));
    p.drawLine(QPointF(5, 12.5), QPointF(10, 12.5));
    p.save();
    p.translate(15.5, 14.5);
    p.rotate(-45);
    p.setPen(outline(colour::Navy.darker(120), 0.9));
    p.setBrush(colour::Teal);
    p.drawRect(QRectF(0, -1.8, 9.5, 3.6));
    p.setBrush(QColor(0xf3, 0xd9, 0xb1));
    QPainterPath tip;
    tip.moveTo(0, -1.8);
    tip.lineTo(-3.4, 0);
    tip.lineTo(0, 1.8);
    tip.closeSubpath();
    p.drawPath(tip);
    p.setBrush(Signal);
    p.drawRect(QRectF(9.5, -1.8, 2, 3.6));
    p.restore();
}

void paintProperties(QPainter& p)
{
    // A sheet of details with a corner folded down.
    QPainterPath sheet;
    sheet.moveTo(5, 2.5);
    sheet.lineTo(15, 2.5);
    sheet.lineTo(19.5, 7);
    sheet.lineTo(19.5, 21.5);
    sheet.lineTo(5, 21.5);
    sheet.closeSubpath();
    p.setPen(outline(colour::Navy));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(colour::Panel);
    QPainterPath fold;
    fold.moveTo(15, 2.5);
    fold.lineTo(15, 7);
    fold.lineTo(19.5, 7);
    p.drawPath(fold);
    for (int line = 0; line < 4; ++line) {
        const qreal y = 10 + line * 3;
        p.setPen(outline(colour::Teal, 1.4));
        p.drawPoint(QPointF(8, y));
        p.setPen(outline(colour::MutedInk, 1.1));
        p.drawLine(QPointF(10, y), QPointF(line % 2 ? 14.5 : 16.5, y));
    }
}

void paintDelete(QPainter& p)
{
    // A bin with its lid.
    p.setPen(outline(colour::Navy));
    QLinearGradient body(QPointF(6, 0), QPointF(18, 0));
    body.setColorAt(0, QColor(0xd5, 0xe2, 0xee));
    body.setColorAt(1, QColor(0x9f, 0xb6, 0xcb));
    p.setBrush(body);
    QPainterPath can;
    can.moveTo(5.5, 7.5);
    can.lineTo(18.5, 7.5);
    can.lineTo(17, 21.5);
    can.lineTo(7, 21.5);
    can.closeSubpath();
    p.drawPath(can);
    for (qreal x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 10), QPointF(x, 19));
    p.setBrush(Signal);
    p.setPen(outline(Signal.darker(130)));
    p.drawRoundedRect(QRectF(3.5, 4.5, 17, 3), 1, 1);
    p.drawRoundedRect(QRectF(9.5, 2.5, 5, 2), 0.8, 0.8);
}

void paintHide(QPainter& p)
{
    // A window sinking onto the panel at the bottom of the desktop.
    p.setPen(outline(colour::Navy));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 2.5, 16, 11), 1.5, 1.5);
    p.setBrush(colour::Navy);
    p.drawRect(QRectF(4, 2.5, 16, 3));
    p.setPen(outline(colour::Teal, 2.2));
    p.drawLine(QPointF(12, 8), QPointF(12, 17));
    p.drawLine(QPointF(8.5, 13.8), QPointF(12, 17.3));
    p.drawLine(QPointF(15.5, 13.8), QPointF(12, 17.3));
    p.setPen(outline(colour::DeepNavy));
    p.setBrush(colour::MutedInk);
    p.drawRoundedRect(QRectF(2.5, 19, 19, 3), 1, 1);
}

void paintExit(QPainter& p)
{
    // The power sign.
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(Signal, 2.6));
    // The ring opens at the top, where the stroke stands.
    p.drawArc(QRectF(4, 4.5, 16, 16), 120 * 16, 300 * 16);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 11.5));
}

} // namespace

void paintToolbarPicture(QPainter& painter, const QRectF& box, ToolbarPicture picture, bool pressed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (pressed) {
        // Sunk: a shaded well behind the picture, which moves down a little.
        painter.setPen(QPen(Rule.darker(115), 1.0));
        painter.setBrush(QColor(0x1f, 0x4e, 0x79, 40));
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    const QRectF art = box.adjusted(2, 2, -2, -2).translated(pressed ? QPointF(0.5, 1) : QPointF());
    if (picture == ToolbarPicture::Help) {
        paintNoticeBadge(painter, art.adjusted(1.5, 1.5, -1.5, -1.5), NoticeKind::Question);
        painter.restore();
        return;
    }
    toGrid(painter, art);
    switch (picture) {
    case ToolbarPicture::Open:
        paintOpen(painter);
        break;
    case ToolbarPicture::Rename:
        paintRename(painter);
        break;
    case ToolbarPicture::Properties:
        paintProperties(painter);
        break;
    case ToolbarPicture::Delete:
        paintDelete(painter);
        break;
    case ToolbarPicture::Hide:
        paintHide(painter);
        break;
    case ToolbarPicture::Exit:
        paintExit(painter);
        break;
    case ToolbarPicture::Help:
        break;
    }
    painter.restore();
}

void paintToolbarBand(QPainter& painter, const QRectF& band)
{
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, colour::Paper);
    fill.setColorAt(1, QColor(0xe9, 0xf0, 0xf7));
    painter.fillRect(band, fill);
    painter.fillRect(QRectF(band.left(), band.bottom() - 1, band.width(), 1), Rule);
}

QFont tabFont()
{
    return uiFont(8.5, true);
}

void paintTabStrip(QPainter& painter, const QRectF& strip, const QList<QRectF>& heads,
                   const QStringList& captions, int selected)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal panelTop = heads.isEmpty() ? strip.top() : heads.first().bottom();
    const QRectF panel(strip.left() + 3.5, panelTop, strip.width() - 7, strip.bottom() - panelTop - 3.5);
    painter.setPen(QPen(Rule, 1.0));
    painter.setBrush(colour::Panel);
    painter.drawRoundedRect(panel, 5, 5);

    for (int i = 0; i < heads.size(); ++i) {
        const bool raised = i == selected;
        // The raised tab stands a little taller and wider and runs into the
        // panel, covering the panel's edge below it.
        QRectF head = heads[i].adjusted(0.5, raised ? -2.5 : 1.5, -0.5, raised ? 1.5 : 0);
        if (raised)
            head.adjust(-2, 0, 2, 0);
        QPainterPath shape;
        shape.moveTo(head.bottomLeft());
        shape.lineTo(head.left(), head.top() + 4);
        shape.quadTo(head.topLeft(), QPointF(head.left() + 4, head.top()));
        shape.lineTo(head.right() - 4, head.top());
        shape.quadTo(head.topRight(), QPointF(head.right(), head.top() + 4));
        shape.lineTo(head.bottomRight());
        QLinearGradient fill(head.topLeft(), head.bottomLeft());
        fill.setColorAt(0, raised ? Qt::white : QColor(0xdc, 0xe6, 0xf0));
        fill.setColorAt(1, raised ? colour::Panel : QColor(0xc8, 0xd6, 0xe4));
        painter.setBrush(fill);
        painter.setPen(QPen(raised ? Rule.darker(110) : Rule.darker(120), 1.0));
        painter.drawPath(shape);
        if (raised) {
            // The accent along the top of the selected tab.
            painter.setPen(QPen(colour::Teal, 2.0, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(head.left() + 4, head.top() + 1),
                             QPointF(head.right() - 4, head.top() + 1));
        }
        painter.setFont(tabFont());
        painter.setPen(raised ? colour::Navy : colour::MutedInk);
        painter.drawText(head.adjusted(0, raised ? 1 : 0, 0, 0), Qt::AlignCenter, captions.value(i));
    }
    painter.restore();
}

void paintDropDownArrow(QPainter& painter, const QRectF& box, bool pressed, bool enabled)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    if (!enabled) {
        fill.setColorAt(0, QColor(0xe3, 0xe8, 0xee));
        fill.setColorAt(1, QColor(0xcf, 0xd7, 0xe0));
    } else if (pressed) {
        fill.setColorAt(0, QColor(0x17, 0x43, 0x6c));
        fill.setColorAt(1, QColor(0x2c, 0x68, 0xa2));
    } else {
        fill.setColorAt(0, QColor(0x4f, 0x96, 0xd6));
        fill.setColorAt(1, QColor(0x22, 0x58, 0x8e));
    }
    painter.setPen(QPen(enabled ? colour::Frame : Rule.darker(115), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(face, 2.5, 2.5);
    const QPointF centre = face.center() + (pressed ? QPointF(0.5, 1) : QPointF(0, 0.5));
    const qreal half = std::min(face.width(), face.height()) * 0.26;
    QPainterPath arrow;
    arrow.moveTo(centre.x() - half, centre.y() - half * 0.55);
    arrow.lineTo(centre.x() + half, centre.y() - half * 0.55);
    arrow.lineTo(centre.x(), centre.y() + half * 0.65);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? QColor(Qt::white) : QColor(0xa4, 0xb1, 0xbf));
    painter.drawPath(arrow);
    painter.restore();
}

void paintSearchButton(QPainter& painter, const QRectF& box, bool pressed, bool enabled)
{
    painter.save();
    paintButtonFace(painter, box, QString(), pressed);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF();
    const QFont font = buttonFont();
    const qreal textHeight = QFontMetricsF(font).height();
    const qreal lens = std::min(box.width() - 12, box.height() - textHeight - 14);
    const QRectF lensBox(box.center().x() - lens / 2, box.top() + 6, lens, lens);
    paintLogo(painter, lensBox.translated(shift));
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 90));
    const QRectF caption(box.left(), lensBox.bottom() + 1, box.width(), textHeight + 2);
    painter.drawText(caption.translated(shift + QPointF(0, 1)), Qt::AlignCenter, QStringLiteral("Search"));
    painter.setPen(Qt::white);
    painter.drawText(caption.translated(shift), Qt::AlignCenter, QStringLiteral("Search"));
    if (!enabled)
        painter.fillRect(box, QColor(0xf4, 0xf7, 0xfb, 150));
    painter.restore();
}

} // namespace zephrix::art
