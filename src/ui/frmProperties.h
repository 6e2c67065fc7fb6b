#pragma once
#include <QWidget>
#include <string>

class QLabel;

namespace zephrix {

class PictureButton;

// Our own Properties window, for desktops whose file manager offers none:
// name, type, location, size, created, modified, owner and permissions of one
// file or folder, read from the disk when it is shown. One window for the
// process, shown without waiting and hidden when closed.
class frmProperties : public QWidget {
    Q_OBJECT
  public:
    static frmProperties& instance();

    // Fills the window for `path` and shows it; false (window untouched)
    // when the entry cannot be read.
    bool showEntry(const std::string& path);

    void cmdOk_Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    frmProperties();
    QLabel* addRow(int row, const char* name, const QString& caption);

    QLabel* lblName;
    QLabel* lblType;
    QLabel* lblLocation;
    QLabel* lblSize;
    QLabel* lblCreated;
    QLabel* lblModified;
    QLabel* lblOwner;
    QLabel* lblPermissions;
    PictureButton* cmdOk;
};

} // namespace zephrix
