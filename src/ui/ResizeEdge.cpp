#include "ui/ResizeEdge.h"

#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace zephrix {
namespace {

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    return Qt::SizeVerCursor;
}

const char* nameOf(Qt::Edge side)
{
    switch (side) {
    case Qt::TopEdge:
        return "resizeTop";
    case Qt::LeftEdge:
        return "resizeLeft";
    case Qt::RightEdge:
        return "resizeRight";
    case Qt::BottomEdge:
        return "resizeBottom";
    }
    return "";
}

} // namespace

ResizeEdge::ResizeEdge(QWidget* window, Qt::Edge side) : QWidget(window), side_(side)
{
    setObjectName(QString::fromLatin1(nameOf(side)));
    setAccessibleName(QStringLiteral("Resize"));
    setMouseTracking(true); // the cursor shows a corner near either end
    setCursor(cursorFor(side));
}

void ResizeEdge::place(int thickness)
{
    const QWidget* window = parentWidget();
    const int w = window->width();
    const int h = window->height();
    switch (side_) {
    case Qt::TopEdge:
        setGeometry(0, 0, w, thickness);
        break;
    case Qt::BottomEdge:
        setGeometry(0, h - thickness, w, thickness);
        break;
    case Qt::LeftEdge:
        setGeometry(0, thickness, thickness, h - 2 * thickness);
        break;
    case Qt::RightEdge:
        setGeometry(w - thickness, thickness, thickness, h - 2 * thickness);
        break;
    }
    raise();
}

Qt::Edges ResizeEdge::edgesAt(QPoint position) const
{
    // Positions in window coordinates, so the side edges, which leave out
    // the corners' own squares, still know how near an end they are.
    const QPoint at = mapToParent(position);
    const QWidget* window = parentWidget();
    Qt::Edges edges = side_;
    if (side_ == Qt::TopEdge || side_ == Qt::BottomEdge) {
        if (at.x() < CornerReach)
            edges |= Qt::LeftEdge;
        else if (at.x() >= window->width() - CornerReach)
            edges |= Qt::RightEdge;
    } else {
        if (at.y() < CornerReach)
            edges |= Qt::TopEdge;
        else if (at.y() >= window->height() - CornerReach)
            edges |= Qt::BottomEdge;
    }
    return edges;
}

void ResizeEdge::mousePressEvent(QMouseEvent* event)
{
    QWidget* window = parentWidget();
    if (event->button() != Qt::LeftButton || window->isMaximized())
        return;
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    QWindow* handle = window->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return;
    // No resize from the window manager: follow the pointer ourselves.
    resizing_ = edges;
    pressGlobal_ = event->globalPosition().toPoint();
    geometryAtPress_ = window->geometry();
}

void ResizeEdge::mouseMoveEvent(QMouseEvent* event)
{
    if (resizing_ && (event->buttons() & Qt::LeftButton))
        followPointer(event->globalPosition().toPoint());
    else if (event->buttons() == Qt::NoButton)
        setCursor(cursorFor(edgesAt(event->position().toPoint())));
}

void ResizeEdge::mouseReleaseEvent(QMouseEvent* event)
{
    if (resizing_ && event->button() == Qt::LeftButton) {
        followPointer(event->globalPosition().toPoint());
        resizing_ = {};
    }
}

// The sides not being dragged stay where they are, also when the window's
// minimum size stops the one being dragged.
void ResizeEdge::followPointer(QPoint global)
{
    QWidget* window = parentWidget();
    const QPoint moved = global - pressGlobal_;
    const QSize minimum = window->minimumSize();
    QRect frame = geometryAtPress_;
    if (resizing_ & Qt::LeftEdge)
        frame.setLeft(std::min(frame.left() + moved.x(), frame.right() + 1 - minimum.width()));
    if (resizing_ & Qt::RightEdge)
        frame.setRight(std::max(frame.right() + moved.x(), frame.left() + minimum.width() - 1));
    if (resizing_ & Qt::TopEdge)
        frame.setTop(std::min(frame.top() + moved.y(), frame.bottom() + 1 - minimum.height()));
    if (resizing_ & Qt::BottomEdge)
        frame.setBottom(std::max(frame.bottom() + moved.y(), frame.top() + minimum.height() - 1));
    window->setGeometry(frame);
}

void addResizeEdges(QWidget* window)
{
    for (Qt::Edge side : {Qt::TopEdge, Qt::BottomEdge, Qt::LeftEdge, Qt::RightEdge})
        new ResizeEdge(window, side);
}

void placeResizeEdges(QWidget* window, int thickness)
{
    for (ResizeEdge* edge : window->findChildren<ResizeEdge*>(Qt::FindDirectChildrenOnly)) {
        edge->place(thickness);
        edge->setVisible(!window->isMaximized());
    }
}

} // namespace zephrix
