#pragma once
#include <QPoint>
#include <QWidget>

namespace zephrix {

inline constexpr char WindowTitle[] = "Zephrix: File Search Accelerator";
inline constexpr int HeaderBarHeight = 28;

// `pictHeaderBar`: the logo and title across the top of a borderless window.
// Dragging it with the left button moves the window; other buttons do nothing.
class HeaderBar : public QWidget {
    Q_OBJECT
  public:
    enum class MoveStart {
        OnMouseMove, // the first movement with the left button down starts it
        OnMouseDown, // the press itself starts it
        Never,
    };

    explicit HeaderBar(QWidget* window, MoveStart start = MoveStart::OnMouseMove);

  signals:
    // A move was started (by the window manager, or by hand where it offers none).
    void moveStarted();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void startMove(QMouseEvent* event);

    MoveStart start_;
    // Moving by hand, for platforms whose window manager cannot take the move.
    bool movingByHand_ = false;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};

} // namespace zephrix
