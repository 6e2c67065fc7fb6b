#pragma once
#include <QWidget>

#include "index/IndexingView.h"

class QLabel;

namespace zephrix {

class PictureButton;

// The indexing window: what a build is walking and how far it has come. Its
// hide picture hides it; the build goes on.
class frmIndexing : public QWidget, public IndexingView {
    Q_OBJECT
  public:
    static frmIndexing& instance();

    void pctMinimize_Click();

    void showIndexing() override;
    void hideIndexing() override;
    void setIndexingPath(const std::string& text) override;
    void setIndexingStatus(const std::string& text) override;
    void setIndexingFilesFound(const std::string& text) override;
    void setIndexingDirectoriesFound(const std::string& text) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    frmIndexing();

    QLabel* lblPath;
    QLabel* lblStatus;
    QLabel* lblFilesFound;
    QLabel* lblDirectoriesFound;
    QLabel* lblInfo;
    PictureButton* pctMinimize;
};

} // namespace zephrix
