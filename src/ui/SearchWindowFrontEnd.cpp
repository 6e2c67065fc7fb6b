#include "ui/SearchWindowFrontEnd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <initializer_list>

#include "ui/AdvancedPage.h"
#include "ui/DriveCheckList.h"
#include "ui/DriveFolderPicker.h"
#include "ui/DropDownPicker.h"
#include "ui/FolderTree.h"
#include "ui/PictureButton.h"
#include "ui/ResultsPage.h"
#include "ui/SearchPage.h"
#include "ui/frmIndexing.h"
#include "ui/frmMessages.h"
#include "ui/frmSearch.h"

namespace zephrix {
namespace {

QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

SearchWindowFrontEnd::SearchWindowFrontEnd(frmSearch& window)
    : QObject(&window), window_(window), filesSearched_{window.fraResults->lblFilesSearched, {}},
      filesFound_{window.fraResults->lblFilesFound, {}}, notes_{window.fraResults->lblNotes, {}}
{
    labelTimer_.setInterval(LabelIntervalMs);
    connect(&labelTimer_, &QTimer::timeout, this, &SearchWindowFrontEnd::showLabels);
    watchControls();
}

// Every control the request or the options are read from marks its snapshot
// stale when it changes, whether the user or the program changed it.
void SearchWindowFrontEnd::watchControls()
{
    const auto criteria = [this] { criteriaStale_ = true; };
    const auto options = [this] { optionsStale_ = true; };
    SearchPage* page = window_.fraSearch;
    for (QLineEdit* box : {page->txtSearchFileName, page->fileType->text, page->fromDate->text,
                           page->toDate->text, page->fileSize->text, page->txtSearchInFiles,
                           page->folder->drives->text, window_.fraAdvanced->txtSearchInsideTheseFileTypes})
        connect(box, &QLineEdit::textChanged, this, criteria);
    using Buttons = std::initializer_list<QAbstractButton*>;
    for (QAbstractButton* button :
         Buttons{page->chkSearchCaseSensative, page->chkSearchInsideFiles, page->optSearchTheseDrives,
                 page->optSearchThisFolder, page->optSearchType[0], page->optSearchType[1],
                 page->optSearchType[2], page->optSearchType[3]})
        connect(button, &QAbstractButton::toggled, this, criteria);
    QAbstractItemModel* drives = page->lstAllDrives->model();
    connect(drives, &QAbstractItemModel::dataChanged, this, criteria);
    connect(drives, &QAbstractItemModel::rowsInserted, this, criteria);
    connect(drives, &QAbstractItemModel::rowsRemoved, this, criteria);
    connect(drives, &QAbstractItemModel::modelReset, this, criteria);
    connect(page->folder->tree->selectionModel(), &QItemSelectionModel::currentChanged, this, criteria);

    AdvancedPage* advanced = window_.fraAdvanced;
    for (QCheckBox* box : {advanced->chkShowFolders, advanced->chkResultsLimit, advanced->chkForceIndex,
                           advanced->chkShowIcons})
        connect(box, &QAbstractButton::toggled, this, options);
    QAbstractItemModel* excluded = advanced->lstExcludeFolders->model();
    connect(excluded, &QAbstractItemModel::rowsInserted, this, options);
    connect(excluded, &QAbstractItemModel::rowsRemoved, this, options);
    connect(excluded, &QAbstractItemModel::modelReset, this, options);
}

void SearchWindowFrontEnd::readCriteria(SearchCriteria& criteria)
{
    if (criteriaStale_) {
        criteriaStale_ = false;
        window_.fillCriteria(criteria_);
    }
    criteria = criteria_;
}

void SearchWindowFrontEnd::readOptions(SearchOptions& options)
{
    if (optionsStale_) {
        optionsStale_ = false;
        window_.fillOptions(options_);
    }
    options = options_;
}

void SearchWindowFrontEnd::setNameAndType(const std::string& name, const std::string& type)
{
    window_.setNameAndType(name, type);
}

void SearchWindowFrontEnd::hold(HeldText& held, const std::string& text)
{
    held.text = text;
    held.changed = true;
}

void SearchWindowFrontEnd::showLabels()
{
    for (HeldText* held : {&filesSearched_, &filesFound_, &notes_}) {
        if (held->changed) {
            held->changed = false;
            held->label->setText(fromBytes(held->text));
        }
    }
}

void SearchWindowFrontEnd::setSearchTime(const std::string& text)
{
    // Rare (ten times a second at most): shown at once, and the counters
    // with it, so the labels never tell different moments.
    window_.setSearchTime(text);
    showLabels();
}

void SearchWindowFrontEnd::setFilesSearched(const std::string& text)
{
    hold(filesSearched_, text);
}

void SearchWindowFrontEnd::setFilesFound(const std::string& text)
{
    hold(filesFound_, text);
}

void SearchWindowFrontEnd::setNotes(const std::string& text)
{
    hold(notes_, text);
}

void SearchWindowFrontEnd::showResultsToolbar(bool full)
{
    window_.showResultsToolbar(full);
}

void SearchWindowFrontEnd::showResultsTab()
{
    window_.lblTabs_Click(4);
}

void SearchWindowFrontEnd::showIndexingWindow()
{
    frmIndexing::instance().showIndexing();
}

void SearchWindowFrontEnd::setSearchTimerRunning(bool running)
{
    if (running) {
        window_.tmrSearchTime->start();
        labelTimer_.start();
        return;
    }
    window_.tmrSearchTime->stop();
    labelTimer_.stop();
    showLabels();
}

void SearchWindowFrontEnd::setIndexerTimerRunning(bool running)
{
    if (running)
        window_.tmrIndexer->start();
    else
        window_.tmrIndexer->stop();
}

void SearchWindowFrontEnd::setSearchEnabled(bool enabled)
{
    window_.fraSearch->cmdSearch->setEnabled(enabled);
    // Enabled again is the search's last word: its labels are final now.
    if (enabled) {
        labelTimer_.stop();
        showLabels();
    }
}

void SearchWindowFrontEnd::setCancelSearchVisible(bool visible)
{
    PictureButton* cancel = window_.fraResults->cmdCancelSearch;
    cancel->setVisible(visible);
    // The two buttons share one place: Cancel lies on top while it is there.
    if (visible)
        cancel->raise();
}

void SearchWindowFrontEnd::setExpandResultsVisible(bool visible)
{
    window_.fraResults->cmdExpandResults->setVisible(visible);
    if (window_.fraResults->cmdCancelSearch->isVisible())
        window_.fraResults->cmdCancelSearch->raise();
}

void SearchWindowFrontEnd::displayError(const std::string& message)
{
    frmMessages::notifyError(fromBytes(message));
}

void SearchWindowFrontEnd::displayOk(const std::string& message)
{
    frmMessages::notifyOk(fromBytes(message));
}

} // namespace zephrix
