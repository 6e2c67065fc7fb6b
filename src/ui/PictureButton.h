#pragma once
#include <QAccessible>
#include <QWidget>
#include <functional>

namespace zephrix {

// A picture that acts as a button. It shows one picture, chosen by number,
// which its owner swaps on mouseDown/mouseUp (the pressed look). A click is a
// left-button release over the picture; a release elsewhere only ends the
// press. Assistive tools see a button with a press action.
class PictureButton : public QWidget {
    Q_OBJECT
  public:
    using PicturePainter = std::function<void(QPainter&, const QRectF&, int picture)>;

    PictureButton(QWidget* parent, const QString& objectName, PicturePainter painter);

    int picture() const { return picture_; }
    void setPicture(int picture);

    // The click of a press that did not come from the mouse (an assistive
    // tool's press action).
    void click();

    // Shows picture `pressed` while the left button holds the picture down,
    // picture 0 otherwise.
    void showPressWith(int pressed);

    // What assistive tools take the picture for: a push button, unless it
    // is something else that is pressed, such as a tab; a selected one (the
    // tab of the page shown) says so.
    QAccessible::Role accessibleRole() const { return role_; }
    void setAccessibleRole(QAccessible::Role role) { role_ = role; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

  signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PicturePainter painter_;
    int picture_ = 0;
    QAccessible::Role role_ = QAccessible::Button;
    bool selected_ = false;
};

} // namespace zephrix
