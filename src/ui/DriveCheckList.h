#pragma once
#include <QTreeWidget>
#include <string>
#include <vector>

#include "drives/DriveCatalogue.h"

namespace zephrix {

// A list of drives with a check box on each row, in the columns "Search",
// "Drive" and "Drive Type": the check box and the drive's icon, its root,
// its type name.
class DriveCheckList : public QTreeWidget {
    Q_OBJECT
  public:
    DriveCheckList(QWidget* parent, const char* name, QRect box, const QString& accessibleName);

    void addDrive(const Drive& drive, const QIcon& icon, bool checked);
    int rowCount() const { return topLevelItemCount(); }
    std::string rootAt(int row) const;
    bool isChecked(int row) const;
    // The roots of the checked rows, top to bottom.
    std::vector<std::string> checkedRoots() const;

  signals:
    // The user checked or unchecked the row of `root`.
    void checkChanged(const std::string& root, bool checked);

  private:
    bool filling_ = false;
};

// The picture of a drive of this type, from the icon theme where it has one.
QIcon driveIcon(const Drive& drive);

} // namespace zephrix
