#pragma once
#include <QList>
#include <QRectF>
#include <QWidget>

namespace zephrix {

class PictureButton;

// `pctTabs`: the tab strip with the tab of the selected page raised, and the
// pages as its children. Each tab head has its click target `lblTabs_<n>`
// (n from 1 to 4) lying over it.
class TabStrip : public QWidget {
    Q_OBJECT
  public:
    explicit TabStrip(QWidget* window);

    // 1 to 4; the picture follows.
    void setSelected(int index);
    int selected() const { return selected_; }
    PictureButton* target(int index) const;

  signals:
    void tabClicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QList<QRectF> heads_;
    QList<PictureButton*> targets_;
    int selected_ = 1;
};

inline constexpr const char* TabCaptions[4] = {"Search", "Advanced", "Options", "Results"};

} // namespace zephrix
