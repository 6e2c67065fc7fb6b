#pragma once
#include <QTreeView>

class QFileSystemModel;

namespace zephrix {

class DriveSubtree;

// The folders of one drive as a tree: the drive's root folder at the top,
// its subfolders (hidden ones too) below, read only when a folder is opened,
// so a drive with a hundred thousand folders shows at once. Symbolic links
// are left out: the index never follows them. The current folder is the one
// the user picked, the drive's root until then.
class FolderTree : public QTreeView {
    Q_OBJECT
  public:
    FolderTree(QWidget* parent, const char* name, QRect box, const QString& accessibleName,
               const QString& tip = {});

    // Shows the drive at `root`, its root folder current. False, and nothing
    // changed, when root is not a folder that can be read.
    bool setDrive(const QString& root);
    QString drive() const { return drive_; }

    // The current folder as an absolute path ending in '/'; empty while no
    // drive is shown.
    QString folderPath() const;
    // Makes the folder at `path` (inside the drive shown) current, opening
    // the folders above it. False when it is not a folder of the drive.
    bool setFolderPath(const QString& path);

  private:
    QFileSystemModel* folders_;
    DriveSubtree* subtree_;
    QString drive_;
};

// True when `path` is a folder this user can list and enter.
bool isReadableFolder(const QString& path);

} // namespace zephrix
