#pragma once
#include <QDate>
#include <QWidget>

#include "search/SearchCriteria.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace zephrix {

class DriveCheckList;
class DriveFolderPicker;
class DropDownPicker;
class FolderTree;
class PictureButton;

// `fraSearch`: what to look for (name, type, dates, size, text inside
// files, how the name matches) and where (the checked drives, or one folder).
class SearchPage : public QWidget {
    Q_OBJECT
  public:
    explicit SearchPage(QWidget* pctTabs);

    QLineEdit* txtSearchFileName;
    DropDownPicker* fileType; // txtSearchFileType, cmdSearchFileType, lstSearchFileType
    DropDownPicker* fromDate; // txtSearchFromDate, cmbSearchFromDate, lstSearchFromDate
    DropDownPicker* toDate;   // txtSearchToDate, cmbSearchToDate, lstSearchToDate
    DropDownPicker* fileSize; // txtSearchFileSize, cmbSearchSize, lstSearchFileSize
    QCheckBox* chkSearchInsideFiles;
    QLineEdit* txtSearchInFiles;
    QCheckBox* chkSearchCaseSensative;
    QWidget* fraSearchOptions;
    QRadioButton* optSearchType[4]; // Contains, Exactly, Starts With, Ends With
    PictureButton* cmdSearch;
    QRadioButton* optSearchTheseDrives;
    QRadioButton* optSearchThisFolder;
    DriveCheckList* lstAllDrives;
    DriveFolderPicker* folder; // txtDrives, cmbDrives, lstDrives, dirSearchFolder

    // Fills the four criteria lists once; `today` starts the date lists.
    void fillPickers(QDate today);
    // The request as the controls hold it; the options are not the page's.
    void fillCriteria(SearchCriteria& criteria) const;
    // The controls in which Enter runs the search.
    QList<QWidget*> searchOnEnter() const;

    void chkSearchInsideFiles_Click();
    void optSearchTheseDrives_Click();
    void optSearchThisFolder_Click();

  signals:
    void searchClicked();

  private:
    void applyScope();
};

} // namespace zephrix
