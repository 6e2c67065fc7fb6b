#pragma once
#include <QWidget>

class QLabel;

namespace zephrix {

class PictureButton;

// The about box: the version in use, how to reach the maker, and the
// buttons Show Help (the help start page), Check Version (the maker's web
// site) and Cancel. One window for the process, hidden when closed.
class frmHelp : public QWidget {
    Q_OBJECT
  public:
    static frmHelp& instance();

    void cmdHelp_Click();
    void cmdVersion_Click();
    void cmdCancel_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    frmHelp();
    QLabel* addLabel(const char* name, const QString& text, const QRect& where);
    PictureButton* addButton(const char* name, const QString& caption, int left, int normal, int pressed);

    QLabel* lblVersion;
};

} // namespace zephrix
