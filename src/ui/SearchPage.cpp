#include "ui/SearchPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include "app/ErrorLocations.h"
#include "app/FolderScopeRoot.h"
#include "app/ModuleState.h"
#include "app/OptionValues.h"
#include "ui/Artwork.h"
#include "ui/DriveCheckList.h"
#include "ui/DriveFolderPicker.h"
#include "ui/DropDownPicker.h"
#include "ui/FolderTree.h"
#include "ui/HandlerGuard.h"
#include "ui/MainWindowLayout.h"
#include "ui/PageControls.h"
#include "ui/PickerEntries.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

namespace L = SearchLocations;
using controls::label;
using layout::ButtonHeight;
using layout::ButtonWidth;
using layout::LineHeight;

// Rows and columns of the page. The criteria boxes keep their design places;
// the rest is fitted around them.
constexpr int CaptionRow = 2;
constexpr int NameRow = twips(270);
constexpr int MatchRow = 41;
constexpr int CaseRow = 61;
constexpr int DateRow = twips(1230);
constexpr int SizeRow = twips(1830);
constexpr int InsideRow = 152;
constexpr int ScopeRow = 184;
constexpr int ListTop = 204;
constexpr int BoxColumn = twips(3750);
constexpr int LabelColumnEnd = BoxColumn - 6;
constexpr int ScopeGap = 9;
constexpr int DateWidth = twips(1185);

const char* const MatchCaptions[4] = {"Contains", "Exactly", "Starts With", "Ends With"};

std::string bytesOf(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace

SearchPage::SearchPage(QWidget* pctTabs) : QWidget(pctTabs)
{
    controls::setUpPage(this, "fraSearch", QStringLiteral("Search"));
    const int right = width();

    // What to look for.
    label(this, "lblSearchFileName", QStringLiteral("Search For This In The File Name"), {0, CaptionRow});
    const int typeLeft = twips(7050);
    txtSearchFileName = controls::textBox(this, "txtSearchFileName", {0, NameRow, typeLeft - 15, LineHeight},
                                          QStringLiteral("Search For This In The File Name"));
    label(this, "lblSearchFileType", QStringLiteral("Of This Type"), {typeLeft, CaptionRow});

    fraSearchOptions = new QWidget(this);
    fraSearchOptions->setObjectName(QStringLiteral("fraSearchOptions"));
    controls::describe(fraSearchOptions, QStringLiteral("Match The File Name"));
    int optionLeft = 0;
    for (int i = 0; i < 4; ++i) {
        optSearchType[i] = controls::optionButton(fraSearchOptions, QStringLiteral("optSearchType_%1").arg(i),
                                                  QString::fromLatin1(MatchCaptions[i]), {optionLeft, 0});
        optSearchType[i]->setProperty("index", i);
        optionLeft = optSearchType[i]->geometry().right() + 14;
    }
    auto* matches = new QButtonGroup(this);
    for (QRadioButton* match : optSearchType)
        matches->addButton(match);
    optSearchType[0]->setChecked(true);
    fraSearchOptions->setGeometry(0, MatchRow, optionLeft, optSearchType[0]->height());

    chkSearchCaseSensative =
        controls::checkBox(this, "chkSearchCaseSensative",
                           QStringLiteral("Search Is Case Sensative (\"and\" is not \"And\")"), {0, CaseRow});

    label(this, "lblSearchDates", QStringLiteral("When The File Was Created Between"), {0, DateRow + 2},
          LabelColumnEnd, Qt::AlignRight);
    fromDate = new DropDownPicker(
        this, {"txtSearchFromDate", "cmbSearchFromDate", "lstSearchFromDate"},
        {BoxColumn, DateRow, DateWidth, LineHeight}, twips(1200),
        {L::cmbSearchFromDate, L::lstSearchFromDate, L::lstSearchFromDateLostFocus},
        QStringLiteral("When The File Was Created Between"),
        QStringLiteral(
            "Choose a date here if you wish to limit your search to files that were created after this "
            "date."));
    const int toLeft = twips(5940);
    const int andLeft = fromDate->arrow->geometry().right() + 1;
    label(this, "lblSearchDatesAnd", QStringLiteral("and"), {andLeft, DateRow + 2}, toLeft - andLeft,
          Qt::AlignHCenter);
    toDate = new DropDownPicker(
        this, {"txtSearchToDate", "cmbSearchToDate", "lstSearchToDate"},
        {toLeft, DateRow, DateWidth, LineHeight}, twips(1005),
        {L::cmbSearchToDate, L::lstSearchToDate, L::lstSearchToDateLostFocus}, QStringLiteral("and"),
        QStringLiteral(
            "Choose a date here if you wish to limit your search to files that were created before "
            "this date."));

    label(this, "lblSearchFileSize", QStringLiteral("And The File Is Approximately This Size"),
          {0, SizeRow + 2}, LabelColumnEnd, Qt::AlignRight);
    fileSize = new DropDownPicker(
        this, {"txtSearchFileSize", "cmbSearchSize", "lstSearchFileSize"},
        {BoxColumn, SizeRow, twips(3375), LineHeight}, twips(1200),
        {L::cmbSearchSize, L::lstSearchFileSize, L::lstSearchFileSizeLostFocus},
        QStringLiteral("And The File Is Approximately This Size"),
        QStringLiteral("If you know about what the file size is, you can limit your results by selecting it "
                       "here."));
    // The size classes are the only sizes the search knows.
    fileSize->text->setReadOnly(true);

    chkSearchInsideFiles = controls::checkBox(
        this, "chkSearchInsideFiles", QStringLiteral("Search Inside Files For This String"), {0, InsideRow});
    txtSearchInFiles =
        controls::textBox(this, "txtSearchInFiles", {BoxColumn, InsideRow, twips(3375) + 17, LineHeight},
                          QStringLiteral("Search Inside Files For This String"));
    txtSearchInFiles->setReadOnly(true);
    connect(chkSearchInsideFiles, &QCheckBox::clicked, this, &SearchPage::chkSearchInsideFiles_Click);

    cmdSearch = new PictureButton(this, QStringLiteral("cmdSearch"),
                                  [this](QPainter& p, const QRectF& box, int picture) {
                                      art::paintSearchButton(p, box, picture == 1, cmdSearch->isEnabled());
                                  });
    const int searchLeft = fileSize->arrow->geometry().right() + 9;
    cmdSearch->setGeometry(searchLeft, DateRow, right - searchLeft, SizeRow + LineHeight - DateRow);
    controls::describe(cmdSearch, QStringLiteral("Search"),
                       QStringLiteral("Search for matching files right now."));
    cmdSearch->showPressWith(1);
    connect(cmdSearch, &PictureButton::clicked, this, &SearchPage::searchClicked);

    // Where to look: the checked drives on the left, one folder on the right.
    const int half = (right - ScopeGap) / 2;
    const int folderLeft = half + ScopeGap;
    optSearchTheseDrives = controls::optionButton(
        this, QStringLiteral("optSearchTheseDrives"), QStringLiteral("Search All Files On These Drives"),
        {0, ScopeRow},
        QStringLiteral("Click here to search all files and folders on the selected drives below."));
    optSearchThisFolder = controls::optionButton(
        this, QStringLiteral("optSearchThisFolder"), QStringLiteral("Search Only Files In This Folder"),
        {folderLeft, ScopeRow}, QStringLiteral("Limit your search to only files in this particular folder."));
    lstAllDrives = new DriveCheckList(this, "lstAllDrives", {0, ListTop, half, height() - ListTop},
                                      QStringLiteral("Search All Files On These Drives"));
    const int folderWidth = right - folderLeft;
    const int treeTop = ListTop + LineHeight + 4;
    folder = new DriveFolderPicker(this, {{"txtDrives", "cmbDrives", "lstDrives"},
                                          "dirSearchFolder",
                                          {folderLeft, ListTop, folderWidth - 17, LineHeight},
                                          twips(1200),
                                          {folderLeft, treeTop, folderWidth, height() - treeTop},
                                          {L::cmbDrives, L::lstDrives, L::lstDrivesLostFocus},
                                          QStringLiteral("Drive"),
                                          QStringLiteral("Search Only Files In This Folder"),
                                          false});
    // Buttons exclude each other by group: left to themselves, radio
    // buttons pair up with every radio button further down the page too.
    auto* scope = new QButtonGroup(this);
    scope->addButton(optSearchTheseDrives);
    scope->addButton(optSearchThisFolder);
    optSearchTheseDrives->setChecked(true);
    connect(optSearchTheseDrives, &QRadioButton::clicked, this, &SearchPage::optSearchTheseDrives_Click);
    connect(optSearchThisFolder, &QRadioButton::clicked, this, &SearchPage::optSearchThisFolder_Click);
    applyScope();

    // The file type is the last box of its row: its list opens over the
    // rows below, so it is made after them.
    fileType = new DropDownPicker(
        this, {"txtSearchFileType", "cmdSearchFileType", "lstSearchFileType"},
        {typeLeft, NameRow, DateWidth, LineHeight}, twips(1200),
        {L::cmdSearchFileType, L::lstSearchFileType, L::lstSearchFileTypeLostFocus},
        QStringLiteral("Of This Type"),
        QStringLiteral(
            "This is the extension of the file you wish to search, if you do not know it, select ALL "
            "from the top of the list."));
    fromDate->setFocusAfterChoice(fromDate->text);
    toDate->setFocusAfterChoice(toDate->text);
    fileSize->setFocusAfterChoice(chkSearchInsideFiles);
    setTabOrder(txtSearchFileName, fileType->text);
    setTabOrder(fileType->text, fileType->arrow);
    setTabOrder(fileType->arrow, optSearchType[0]);
}

void SearchPage::fillPickers(QDate today)
{
    const QStringList dates = pickers::creationDates(today);
    fromDate->setEntries(dates);
    toDate->setEntries(dates);
    fileType->setEntries(pickers::fileTypes());
    fileSize->setEntries(pickers::fileSizes());
    for (DropDownPicker* anyPicker : {fromDate, toDate, fileSize})
        anyPicker->text->setText(QString::fromLatin1(pickers::Any));
    fileType->text->clear();
}

void SearchPage::fillCriteria(SearchCriteria& criteria) const
{
    criteria.name = bytesOf(txtSearchFileName->text());
    criteria.fileType = bytesOf(fileType->text->text());
    criteria.nameMatch = NameMatch::Contains;
    for (int i = 0; i < 4; ++i) {
        if (optSearchType[i]->isChecked())
            criteria.nameMatch = NameMatch(i);
    }
    criteria.caseSensitive = chkSearchCaseSensative->isChecked();
    criteria.sizeText = bytesOf(fileSize->text->text());
    criteria.fromDateText = bytesOf(fromDate->text->text());
    criteria.toDateText = bytesOf(toDate->text->text());
    criteria.searchInsideChecked = chkSearchInsideFiles->isChecked();
    criteria.insideText = bytesOf(txtSearchInFiles->text());
    criteria.insideTypes = moduleOptions().SearchInsideTypes;
    criteria.scope = optSearchThisFolder->isChecked() ? SearchScope::Folder : SearchScope::Drives;
    criteria.drives = lstAllDrives->checkedRoots();
    // Folder names are bytes on disk; the tree holds them decoded.
    criteria.folder = QFile::encodeName(folder->tree->folderPath()).toStdString();
    criteria.folderRoot = folderScopeRoot(criteria.folder, DriveList(), folder->chosenRoot());
}

QList<QWidget*> SearchPage::searchOnEnter() const
{
    return {txtSearchFileName,    fileType->text,       fileType->arrow,      fromDate->text,
            fromDate->arrow,      toDate->text,         toDate->arrow,        fileSize->text,
            fileSize->arrow,      chkSearchInsideFiles, txtSearchInFiles,     chkSearchCaseSensative,
            optSearchTheseDrives, optSearchThisFolder,  folder->drives->text, folder->drives->arrow,
            folder->tree};
}

void SearchPage::chkSearchInsideFiles_Click()
{
    guarded(L::chkSearchInsideFiles, [&] {
        // An old text never survives into a later request.
        txtSearchInFiles->clear();
        txtSearchInFiles->setReadOnly(!chkSearchInsideFiles->isChecked());
    });
}

void SearchPage::optSearchTheseDrives_Click()
{
    guarded(L::optSearchTheseDrives, [&] { applyScope(); });
}

void SearchPage::optSearchThisFolder_Click()
{
    guarded(L::optSearchThisFolder, [&] { applyScope(); });
}

void SearchPage::applyScope()
{
    const bool drives = optSearchTheseDrives->isChecked();
    lstAllDrives->setEnabled(drives);
    folder->drives->setChoosingEnabled(!drives);
    folder->tree->setEnabled(!drives);
    folder->drives->list->hide();
}

} // namespace zephrix
