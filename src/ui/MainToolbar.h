#pragma once
#include <QLabel>
#include <QWidget>

namespace zephrix {

class PictureButton;

// `fraTopToolbar`: seven commands, each a picture `cmd<Command>` with its
// caption `lbl<Command>` under it. In the compact layout the four commands
// on the results (Open, Rename, Properties, Delete) are hidden and Hide,
// Exit and Help move to the left end; the full layout shows all seven.
class MainToolbar : public QWidget {
    Q_OBJECT
  public:
    enum class Command { Open, Rename, Properties, Delete, Hide, Exit, Help };

    explicit MainToolbar(QWidget* window);

    void showLayout(bool full);
    bool isFull() const { return full_; }
    PictureButton* picture(Command command) const;
    QLabel* caption(Command command) const;

  signals:
    // A click on the picture; for Hide, Exit and Help also on the caption.
    void pictureClicked(Command command);
    void captionClicked(Command command);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Pair {
        PictureButton* picture;
        QLabel* caption;
    };
    Pair pairs_[7];
    bool full_ = true;
};

} // namespace zephrix
