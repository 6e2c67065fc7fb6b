#include "ui/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace zephrix {

PictureButton::PictureButton(QWidget* parent, const QString& objectName, PicturePainter painter)
    : QWidget(parent), painter_(std::move(painter))
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(int picture)
{
    if (picture_ == picture)
        return;
    picture_ = picture;
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter_(painter, QRectF(rect()), picture_);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button());
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    // Released over the picture: mouse up first, then the click, as the
    // pressed look must be gone before the owner acts on the click.
    const bool over = rect().contains(event->position().toPoint());
    emit mouseUp(event->button());
    if (over && event->button() == Qt::LeftButton && event->buttons() == Qt::NoButton)
        emit clicked();
}

} // namespace zephrix
