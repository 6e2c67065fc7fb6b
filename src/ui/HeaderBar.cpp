#include "ui/HeaderBar.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/WindowDrag.h"
#include "ui/Artwork.h"

namespace zephrix {

HeaderBar::HeaderBar(QWidget* window, MoveStart start) : QWidget(window), start_(start)
{
    setObjectName(QStringLiteral("pictHeaderBar"));
    setToolTip(QStringLiteral("Click here and drag to move this window"));
    setAccessibleName(QString::fromLatin1(WindowTitle));
    setAccessibleDescription(toolTip());
    setGeometry(0, 0, window->width(), HeaderBarHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HeaderBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintHeaderBar(painter, rect(), QString::fromLatin1(WindowTitle));
}

void HeaderBar::mousePressEvent(QMouseEvent* event)
{
    pressGlobal_ = event->globalPosition().toPoint();
    windowAtPress_ = window()->pos();
    movingByHand_ = false;
    if (start_ == MoveStart::OnMouseDown)
        startMove(event);
}

void HeaderBar::mouseMoveEvent(QMouseEvent* event)
{
    if (movingByHand_) {
        if (event->buttons() == Qt::LeftButton)
            window()->move(windowAtPress_ + event->globalPosition().toPoint() - pressGlobal_);
        return;
    }
    if (start_ == MoveStart::OnMouseMove)
        startMove(event);
}

void HeaderBar::mouseReleaseEvent(QMouseEvent*)
{
    movingByHand_ = false;
}

void HeaderBar::startMove(QMouseEvent* event)
{
    if (event->buttons() != Qt::LeftButton)
        return;
    if (dragWindowByHeader(this, event)) {
        emit moveStarted();
        return;
    }
    // No window manager move (no platform support, or a window manager without
    // it): follow the pointer ourselves until the button is released.
    movingByHand_ = true;
    window()->move(windowAtPress_ + event->globalPosition().toPoint() - pressGlobal_);
    emit moveStarted();
}

} // namespace zephrix
