#pragma once
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTreeWidget;

namespace zephrix {

class DriveFolderPicker;
class PictureButton;
struct OptionsAtLoad;

// `fraAdvanced`: the options that shape what a search returns, and the
// folders excluded from every search.
class AdvancedPage : public QWidget {
    Q_OBJECT
  public:
    explicit AdvancedPage(QWidget* pctTabs);

    QCheckBox* chkShowFolders;
    QCheckBox* chkResultsLimit;
    QCheckBox* chkForceIndex;
    QCheckBox* chkShowIcons;
    QLineEdit* txtSearchInsideTheseFileTypes;
    QTreeWidget* lstExcludeFolders;
    PictureButton* cmdRemoveFolder;
    DriveFolderPicker* excludeAdd; // txtExcludeAdd, cmbExcludeAdd, lstExcludeAdd, dirExcludeAdd
    PictureButton* cmdAddFolder;

    // The setting "ExcludedFolders" split at '|'; one empty text when there
    // are none. The search reads it as it stands when it runs.
    std::vector<std::string> ExcludedFolders;

    // Rebuilds the table and the list from the setting.
    void LoadExcludedFolders();
    void cmdAddFolder_Click();
    void cmdRemoveFolder_Click();
    void txtSearchInsideTheseFileTypes_Change();
};

} // namespace zephrix
