#include "ui/Artwork.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QWidget>

namespace zephrix::art {

QFont uiFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void paintLogo(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 24-unit grid, then scaled to the box.
    painter.translate(box.topLeft());
    painter.scale(box.width() / 24.0, box.height() / 24.0);

    // Handle first, so the lens rim covers its end.
    QPen handle(QColor(0xd9, 0xe4, 0xee), 4.2, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(handle);
    painter.drawLine(QPointF(15.6, 15.6), QPointF(21.4, 21.4));
    painter.setPen(QPen(QColor(0x8b, 0xa3, 0xb8), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(17.0, 17.0), QPointF(21.0, 21.0));

    // The lens: a glassy teal disc inside a white rim.
    const QPointF centre(10.0, 10.0);
    QRadialGradient glass(QPointF(7.5, 7.0), 9.5);
    glass.setColorAt(0.0, QColor(0x7f, 0xe0, 0xf2));
    glass.setColorAt(0.55, colour::Teal);
    glass.setColorAt(1.0, QColor(0x17, 0x6a, 0x8c));
    painter.setBrush(glass);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.drawEllipse(centre, 8.2, 8.2);

    // A bold "Z" across the glass, its diagonal slanted like a spark.
    QPainterPath letter;
    letter.moveTo(6.4, 6.3);
    letter.lineTo(13.6, 6.3);
    letter.lineTo(6.6, 13.7);
    letter.lineTo(13.8, 13.7);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x0e, 0x3a, 0x57, 110), 3.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(letter.translated(0.35, 0.45));
    painter.setPen(QPen(Qt::white, 2.3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(letter);

    // A soft highlight on the glass.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawEllipse(QRectF(4.4, 3.6, 6.0, 3.2));
    painter.restore();
}

QIcon logoIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paintLogo(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

void paintHeaderBar(QPainter& painter, const QRectF& bar, const QString& title)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sweep(bar.topLeft(), bar.topRight());
    sweep.setColorAt(0.0, colour::DeepNavy);
    sweep.setColorAt(0.55, colour::Navy);
    sweep.setColorAt(1.0, QColor(0x22, 0x7d, 0xa3));
    painter.fillRect(bar, sweep);

    // Gloss on the upper half and a light rule along the bottom edge.
    QLinearGradient gloss(bar.topLeft(), QPointF(bar.left(), bar.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 46));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 8));
    painter.fillRect(QRectF(bar.left(), bar.top(), bar.width(), bar.height() / 2), gloss);
    painter.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), QColor(0x7f, 0xd3, 0xea, 150));

    const qreal logoSize = bar.height() - 6;
    paintLogo(painter, QRectF(bar.left() + 6, bar.top() + 3, logoSize, logoSize));

    // "Zephrix:" in bold, the rest regular; together the exact title text.
    const int split = title.indexOf(QLatin1Char(':')) + 1;
    const QString brand = title.left(split);
    const QString rest = title.mid(split);
    QRectF text(bar.left() + logoSize + 14, bar.top(), bar.width(), bar.height() - 1);
    painter.setPen(QColor(0, 0, 0, 90));
    const QFont bold = uiFont(10, true);
    const QFont regular = uiFont(10);
    const qreal brandWidth = QFontMetricsF(bold).horizontalAdvance(brand);
    for (int shadow = 1; shadow >= 0; --shadow) {
        const QPointF offset(shadow, shadow);
        painter.setFont(bold);
        painter.drawText(text.translated(offset), Qt::AlignVCenter | Qt::AlignLeft, brand);
        painter.setFont(regular);
        painter.drawText(text.translated(offset + QPointF(brandWidth, 0)), Qt::AlignVCenter | Qt::AlignLeft,
                         rest);
        painter.setPen(Qt::white);
    }
    painter.restore();
}

QRectF paintHeaderGlass(QPainter& painter, const QRectF& box, bool pressed)
{
    const QRectF square = box.adjusted(5, 5, -5, -5);
    painter.setPen(QPen(QColor(255, 255, 255, pressed ? 200 : 140), 1.0));
    painter.setBrush(QColor(255, 255, 255, pressed ? 70 : 28));
    painter.drawRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    return square;
}

void paintHidePicture(QPainter& painter, const QRectF& box, bool pressed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square = paintHeaderGlass(painter, box, pressed);
    const qreal dip = pressed ? 1 : 0;
    const QRectF bar(square.left() + square.width() * 0.28, square.bottom() - square.height() * 0.32 + dip,
                     square.width() * 0.44, 2.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(bar, 1.2, 1.2);
    painter.restore();
}

void paintButtonFace(QPainter& painter, const QRectF& box, const QString& caption, bool pressed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    if (pressed) {
        fill.setColorAt(0.0, QColor(0x17, 0x43, 0x6c));
        fill.setColorAt(1.0, QColor(0x2c, 0x68, 0xa2));
    } else {
        fill.setColorAt(0.0, QColor(0x4f, 0x96, 0xd6));
        fill.setColorAt(0.5, QColor(0x35, 0x76, 0xb5));
        fill.setColorAt(1.0, QColor(0x22, 0x58, 0x8e));
    }
    painter.setPen(QPen(colour::Frame, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(face, 4, 4);

    // Raised: a light rim along the top. Sunk: a shadow along the top.
    painter.setPen(QPen(pressed ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 110), 1.0));
    painter.drawLine(QPointF(face.left() + 3, face.top() + 1.5), QPointF(face.right() - 3, face.top() + 1.5));

    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    painter.setFont(buttonFont());
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(face.translated(shift + QPointF(0, 1)), Qt::AlignCenter, caption);
    painter.setPen(Qt::white);
    painter.drawText(face.translated(shift), Qt::AlignCenter, caption);
    painter.restore();
}

QFont buttonFont()
{
    return uiFont(8.5, true);
}

void paintNoticeBadge(QPainter& painter, const QRectF& box, NoticeKind kind)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor top;
    QColor bottom;
    QString mark;
    switch (kind) {
    case NoticeKind::Error:
        top = QColor(0xf2, 0x8c, 0x52);
        bottom = QColor(0xc9, 0x4a, 0x1e);
        mark = QStringLiteral("!");
        break;
    case NoticeKind::Information:
        top = QColor(0x5a, 0xa6, 0xe6);
        bottom = QColor(0x22, 0x5d, 0x98);
        mark = QStringLiteral("i");
        break;
    case NoticeKind::Question:
        top = QColor(0x4f, 0xc3, 0xd9);
        bottom = QColor(0x1b, 0x7f, 0x9c);
        mark = QStringLiteral("?");
        break;
    }
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.setPen(QPen(bottom.darker(125), 1.0));
    painter.setBrush(fill);
    painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawEllipse(QRectF(box.left() + box.width() * 0.2, box.top() + box.height() * 0.08,
                               box.width() * 0.6, box.height() * 0.36));
    QFont font = uiFont(box.height() * 0.42, true);
    if (kind == NoticeKind::Information)
        font.setFamily(QStringLiteral("DejaVu Serif"));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, mark);
    painter.restore();
}

void paintWindowFrame(QPainter& painter, const QWidget& window)
{
    const QRect all = window.rect();
    painter.fillRect(all, colour::Paper);
    painter.setPen(colour::Frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(all.adjusted(0, 0, -1, -1));
}

} // namespace zephrix::art
