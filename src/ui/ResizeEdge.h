#pragma once
#include <QRect>
#include <QWidget>

namespace zephrix {

// One side of the frame of a borderless window that the user may resize.
// Pressing it with the left button resizes the window from that side, or
// from the corner within CornerReach pixels of either end. The window manager
// takes the resize where it offers one; elsewhere the window follows the
// pointer itself until the button is released. A maximized window is not
// resized.
class ResizeEdge : public QWidget {
    Q_OBJECT
  public:
    static constexpr int CornerReach = 16;

    ResizeEdge(QWidget* window, Qt::Edge side);

    // Lays the edge along its side of the window, `thickness` pixels deep.
    void place(int thickness);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Qt::Edges edgesAt(QPoint position) const;
    void followPointer(QPoint global);

    Qt::Edge side_;
    // The edges being moved by hand, while the left button is down.
    Qt::Edges resizing_;
    QPoint pressGlobal_;
    QRect geometryAtPress_;
};

// Gives `window` its four edges; place them with placeResizeEdges.
void addResizeEdges(QWidget* window);
void placeResizeEdges(QWidget* window, int thickness);

} // namespace zephrix
