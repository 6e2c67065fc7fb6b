#include "ui/frmSearch.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>
#include <utility>

#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "app/ModuleState.h"
#include "app/OptionsAtLoad.h"
#include "ui/AdvancedPage.h"
#include "ui/Artwork.h"
#include "ui/DriveCheckList.h"
#include "ui/DriveFolderPicker.h"
#include "ui/DropDownPicker.h"
#include "ui/HandlerGuard.h"
#include "ui/MainToolbar.h"
#include "ui/MainWindowLayout.h"
#include "ui/MainWindowWiring.h"
#include "ui/OptionBoxes.h"
#include "ui/OptionsPage.h"
#include "ui/PictureButton.h"
#include "ui/ResultsPage.h"
#include "ui/SearchPage.h"
#include "ui/TabStrip.h"

namespace zephrix {
namespace {

namespace L = SearchLocations;

frmSearch* loaded = nullptr;

QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QTimer* makeTimer(QObject* window, const char* name, int interval, bool running)
{
    auto* timer = new QTimer(window);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    if (running)
        timer->start();
    return timer;
}

} // namespace

frmSearch& frmSearch::instance()
{
    if (!loaded) {
        loaded = new frmSearch;
        loaded->Form_Load();
    }
    return *loaded;
}

bool frmSearch::isLoaded()
{
    return loaded != nullptr;
}

void frmSearch::unload()
{
    delete std::exchange(loaded, nullptr);
}

frmSearch::frmSearch()
{
    setObjectName(QStringLiteral("frmSearch"));
    pictHeaderBar = setUpBorderlessWindow(this, QSize(layout::ClientWidth, layout::ClientHeight));
    fraTopToolbar = new MainToolbar(this);
    pctTabs = new TabStrip(this);
    fraSearch = new SearchPage(pctTabs);
    fraAdvanced = new AdvancedPage(pctTabs);
    fraOptions = new OptionsPage(pctTabs);
    fraResults = new ResultsPage(pctTabs);
    // Over the header bar's right end.
    pctMinimize = addHidePicture(this, layout::MinimizeLeft);

    tmrSearchTime = makeTimer(this, "tmrSearchTime", 100, false);
    tmrIndexer = makeTimer(this, "tmrIndexer", 10000, true);
    tmrCheckforAccessing = makeTimer(this, "tmrCheckforAccessing", 250, true);

    connectCommands();
    wiring_ = new MainWindowWiring(*this);
    pctTabs->installEventFilter(this);
    for (QWidget* page : pages())
        page->installEventFilter(this);
    for (QWidget* control : fraSearch->searchOnEnter())
        control->installEventFilter(this);
}

void frmSearch::connectCommands()
{
    using Command = MainToolbar::Command;
    connect(pctMinimize, &PictureButton::clicked, this, &frmSearch::pctMinimize_Click);
    connect(fraTopToolbar, &MainToolbar::pictureClicked, this, [this](Command command) {
        switch (command) {
        case Command::Open:
            emit openRequested();
            break;
        case Command::Rename:
            emit renameRequested();
            break;
        case Command::Properties:
            emit propertiesRequested();
            break;
        case Command::Delete:
            emit deleteRequested();
            break;
        case Command::Hide:
            cmdHide_Click();
            break;
        case Command::Exit:
            cmdExit_Click();
            break;
        case Command::Help:
            cmdHelp_Click();
            break;
        }
    });
    connect(fraTopToolbar, &MainToolbar::captionClicked, this, [this](Command command) {
        if (command == Command::Hide)
            lblHide_Click();
        else if (command == Command::Exit)
            lblExit_Click();
        else if (command == Command::Help)
            lblHelp_Click();
    });
    connect(pctTabs, &TabStrip::tabClicked, this, &frmSearch::lblTabs_Click);
    connect(fraSearch, &SearchPage::searchClicked, this, &frmSearch::cmdSearch_Click);
    connect(fraOptions->cmdForceIndex, &PictureButton::clicked, this, &frmSearch::cmdForceIndex_Click);
    connect(fraResults->cmdExpandResults, &PictureButton::clicked, this, &frmSearch::expandResultsRequested);
    connect(fraResults->cmdCancelSearch, &PictureButton::clicked, this, &frmSearch::cancelSearchRequested);
}

void frmSearch::Form_Load()
{
    try {
        fraTopToolbar->showLayout(false);
        fraSearch->lstAllDrives->clear();
        fraOptions->lstIndexDrives->clear();
        LoadExcludedFolders();
        lblTabs_Click(1);
        if (!fillDriveLists())
            return;
        fraSearch->fillPickers(QDate::currentDate());
        readOptions();
        // A search window opens ready for the name to be typed.
        fraSearch->txtSearchFileName->setFocus();
        wiring_->addTrayIcon();
    } catch (...) {
        reportCurrentException(L::Form_Load);
    }
}

bool frmSearch::fillDriveLists()
{
    const std::vector<Drive>& drives = DriveList();
    DriveFolderPicker* searchFolder = fraSearch->folder;
    DriveFolderPicker* excludeFolder = fraAdvanced->excludeAdd;
    searchFolder->fill(drives);
    excludeFolder->fill(drives);
    for (const Drive& drive : drives) {
        const bool hardDisk = drive.typeName == HardDisk;
        // The first hard disk is where both folder choosers start.
        if (hardDisk && searchFolder->drives->text->text().isEmpty()) {
            searchFolder->startWith(drive);
            excludeFolder->startWith(drive);
        }
        const QIcon icon = driveIcon(drive);
        fraSearch->lstAllDrives->addDrive(drive, icon, hardDisk);
        if (!hardDisk && drive.typeName != NetworkDrive)
            continue;
        std::optional<EngineError> failure;
        const std::optional<bool> maintained = readIndexDriveSetting(drive.root, hardDisk, failure);
        if (!maintained) {
            ReportError(L::Form_Load, failure->number, failure->description);
            return false;
        }
        fraOptions->lstIndexDrives->addDrive(drive, icon, *maintained);
    }
    return true;
}

void frmSearch::readOptions()
{
    const OptionsAtLoad read = readOptionsAtLoad();
    // Whatever was read before a bad value still takes effect.
    applyOptionsAtLoad(read, moduleOptions());
    const auto show = [](QCheckBox* box, const std::optional<int>& value) {
        if (value)
            showOption(box, *value);
    };
    show(fraOptions->chkAutoUpdate, read.AutoUpdate);
    show(fraOptions->chkAutoHide, read.AutoHide);
    show(fraOptions->chkAutoStart, read.AutoStart);
    show(fraOptions->chkDisableKeyedAccess, read.DisableKeyedAccess);
    show(fraAdvanced->chkShowIcons, read.ShowIcons);
    show(fraAdvanced->chkShowFolders, read.ShowFolders);
    show(fraAdvanced->chkForceIndex, read.ForceIndex);
    if (read.ReIndexText)
        txtHours()->setText(fromBytes(*read.ReIndexText));
    show(fraAdvanced->chkResultsLimit, read.ResultsLimit);
    if (read.SearchInside)
        fraAdvanced->txtSearchInsideTheseFileTypes->setText(fromBytes(*read.SearchInside));
    if (read.DragMode)
        fraOptions->optCopyMove[*read.DragMode]->setChecked(true);
    if (read.failure)
        ReportError(L::Form_Load, read.failure->number, read.failure->description);
}

void frmSearch::lblTabs_Click(int index)
{
    guarded(L::lblTabs, [&] {
        if (index < 1 || index > 4)
            return;
        QWidget* page = pages()[index - 1];
        page->setGeometry(layout::Page);
        page->show();
        page->raise();
        pctTabs->setSelected(index);
        for (QWidget* other : pages()) {
            if (other != page)
                other->hide();
        }
        showResultsToolbar(index == 4 && fraResults->resultCount() > 0);
    });
}

QList<QWidget*> frmSearch::pages() const
{
    return {fraSearch, fraAdvanced, fraOptions, fraResults};
}

void frmSearch::showResultsToolbar(bool full)
{
    fraTopToolbar->showLayout(full);
}

void frmSearch::cmdSearch_Click()
{
    emit searchRequested();
}

void frmSearch::cmdHide_Click()
{
    hideToTray();
}

void frmSearch::lblHide_Click()
{
    hideToTray();
}

void frmSearch::hideToTray()
{
    wiring_->hideWindow();
}

void frmSearch::cmdExit_Click()
{
    guarded(L::cmdExit, [this] { wiring_->exitProgram(); });
}

void frmSearch::lblExit_Click()
{
    guarded(L::lblExit, [this] { wiring_->exitProgram(); });
}

void frmSearch::cmdHelp_Click()
{
    guarded(L::cmdHelp, [this] { emit helpRequested(); });
}

void frmSearch::lblHelp_Click()
{
    guarded(L::lblHelp, [this] { emit helpRequested(); });
}

void frmSearch::cmdForceIndex_Click()
{
    emit forceIndexRequested();
}

void frmSearch::pctMinimize_Click()
{
    hideToTray();
}

void frmSearch::fillCriteria(SearchCriteria& criteria) const
{
    fraSearch->fillCriteria(criteria);
}

void frmSearch::fillOptions(SearchOptions& options) const
{
    const OptionValues& values = moduleOptions();
    // As the stored numbers have always been read: only 1 switches folders,
    // icons and forced builds on, anything but 0 lifts the results limit.
    options.ShowFolders = values.ShowFolders == 1;
    options.ShowIcons = values.ShowIcons == 1;
    options.ResultsLimit = values.ResultsLimit != 0;
    options.ForceIndex = values.ForceIndex == 1;
    options.ExcludedFolders = fraAdvanced->ExcludedFolders;
}

void frmSearch::setNameAndType(const std::string& name, const std::string& type)
{
    fraSearch->txtSearchFileName->setText(fromBytes(name));
    fraSearch->fileType->text->setText(fromBytes(type));
}

void frmSearch::setSearchTime(const std::string& text)
{
    fraResults->lblSearchTime->setText(fromBytes(text));
}

void frmSearch::setFilesSearched(const std::string& text)
{
    fraResults->lblFilesSearched->setText(fromBytes(text));
}

void frmSearch::setFilesFound(const std::string& text)
{
    fraResults->lblFilesFound->setText(fromBytes(text));
}

void frmSearch::setNotes(const std::string& text)
{
    fraResults->lblNotes->setText(fromBytes(text));
}

ResultsList* frmSearch::resultsList() const
{
    return fraResults->lstSearchResults;
}

std::string frmSearch::reindexingText() const
{
    return fraOptions->lblReindexing->text().toUtf8().toStdString();
}

void frmSearch::setReindexingText(const std::string& text)
{
    fraOptions->lblReindexing->setText(fromBytes(text));
}

QLineEdit* frmSearch::txtHours() const
{
    return fraOptions->hours->text;
}

std::vector<std::string> frmSearch::indexDriveRoots() const
{
    return fraOptions->lstIndexDrives->checkedRoots();
}

void frmSearch::LoadExcludedFolders()
{
    fraAdvanced->LoadExcludedFolders();
}

bool frmSearch::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the criteria, the scope controls and the tab strip runs the
    // search; a held key does not run it again and again. A key a control
    // leaves unhandled goes on to its page, and from there to the tab strip
    // that holds the pages: it stops at the page, as Enter runs the search
    // only where it is pressed on the strip itself.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!pages().contains(qobject_cast<QWidget*>(watched)) && !key->isAutoRepeat())
                cmdSearch_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSearch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
}

void frmSearch::closeEvent(QCloseEvent* event)
{
    // Closing the main window (the window manager's close) ends the program,
    // as its Exit command does.
    event->accept();
    wiring_->exitProgram();
}

} // namespace zephrix
