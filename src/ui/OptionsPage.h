#pragma once
#include <QWidget>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace zephrix {

class DriveCheckList;
class DropDownPicker;
class PictureButton;

// `fraOptions`: background indexing (the interval, the drives it maintains,
// re-indexing now), what a drag from the results does, and the start-up and
// shortcut options.
class OptionsPage : public QWidget {
    Q_OBJECT
  public:
    explicit OptionsPage(QWidget* pctTabs);

    PictureButton* cmdForceIndex;
    DropDownPicker* hours; // txtHours, cmbHours, lstHours
    DriveCheckList* lstIndexDrives;
    QLabel* lblReindexing;
    QRadioButton* optCopyMove[2]; // Copy It, Move It
    QCheckBox* chkDisableKeyedAccess;
    QCheckBox* chkAutoHide;
    QCheckBox* chkAutoUpdate;
    QCheckBox* chkAutoStart;
    QLabel* lblKeyedAccessNote; // shown where the shortcut cannot work

    void lstHours_Click(const QString& chosen);
    void optCopyMove_Click(int index);
    void lstIndexDrives_Check(const std::string& root, bool checked);
};

} // namespace zephrix
