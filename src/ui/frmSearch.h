#pragma once
#include <QWidget>

namespace zephrix {

class HeaderBar;
class PictureButton;

// The main window. Loaded the first time it is referred to; its load reads
// the options into the module-level values.
class frmSearch : public QWidget {
    Q_OBJECT
  public:
    static frmSearch& instance();
    // True once instance() has been called.
    static bool isLoaded();

    void pctMinimize_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    frmSearch();
    void Form_Load();

    HeaderBar* pictHeaderBar;
    PictureButton* pctMinimize;
};

} // namespace zephrix
