#include "ui/AdvancedPage.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <utility>

#include "app/ErrorLocations.h"
#include "app/OptionWrites.h"
#include "app/SettingsStore.h"
#include "index/ExcludedFolders.h"
#include "ui/DriveFolderPicker.h"
#include "ui/DropDownPicker.h"
#include "ui/FolderTree.h"
#include "ui/HandlerGuard.h"
#include "ui/MainWindowLayout.h"
#include "ui/OptionBoxes.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

namespace L = SearchLocations;
using layout::ButtonHeight;
using layout::ButtonWidth;
using layout::LineHeight;

constexpr int LeftWidth = 300;
constexpr int RightLeft = 312;
constexpr int CheckRow = 20;
constexpr int CheckStep = 20;

const QString AddFolderCaption = QStringLiteral("Add This Folder To The Exclude List:");

} // namespace

AdvancedPage::AdvancedPage(QWidget* pctTabs) : QWidget(pctTabs)
{
    controls::setUpPage(this, "fraAdvanced", QStringLiteral("Advanced"));

    controls::heading(this, "lblAdvanced", QStringLiteral("Advanced Search Settings:"), {0, 0});
    int row = CheckRow;
    const auto nextRow = [&] { return QPoint(0, std::exchange(row, row + CheckStep)); };
    chkShowFolders = controls::checkBox(this, "chkShowFolders",
                                        QStringLiteral("Show Folders In Search Results (Slower)"), nextRow());
    chkResultsLimit = controls::checkBox(this, "chkResultsLimit",
                                         QStringLiteral("Disable 1000 Results Hard Limit"), nextRow());
    chkForceIndex = controls::checkBox(
        this, "chkForceIndex", QStringLiteral("Force Re-Index Every Search (MUCH Slower)"), nextRow());
    chkShowIcons = controls::checkBox(
        this, "chkShowIcons", QStringLiteral("Show File Icons In Search Results (Slower)"), nextRow());
    connectOptionBoxes({
        {chkShowFolders, &options::ShowFolders, &OptionValues::ShowFolders, L::chkShowFolders},
        {chkResultsLimit, &options::ResultsLimit, &OptionValues::ResultsLimit, L::chkResultsLimit},
        {chkForceIndex, &options::ForceIndex, &OptionValues::ForceIndex, L::chkForceIndex},
        {chkShowIcons, &options::ShowIcons, &OptionValues::ShowIcons, L::chkShowIcons},
    });

    const QString typesCaption =
        QStringLiteral("Search Inside These File Types For Text: (Seperate By A Space)");
    const QLabel* typesLabel =
        controls::wrappedLabel(this, "lblSearchInsideTypes", typesCaption, {0, row + 8, LeftWidth, 0});
    txtSearchInsideTheseFileTypes =
        controls::textBox(this, "txtSearchInsideTheseFileTypes",
                          {0, typesLabel->geometry().bottom() + 3, LeftWidth, LineHeight}, typesCaption);
    connect(txtSearchInsideTheseFileTypes, &QLineEdit::textEdited, this,
            &AdvancedPage::txtSearchInsideTheseFileTypes_Change);

    // Choosing a folder to exclude: a drive, then a folder of it.
    const int addTop = txtSearchInsideTheseFileTypes->geometry().bottom() + 16;
    controls::label(this, "lblExcludeAdd", AddFolderCaption, {0, addTop});
    const int driveRow = addTop + 18;
    cmdAddFolder = controls::captionButton(
        this, "cmdAddFolder", QStringLiteral("Add Folder"), {0, driveRow - 2, 0, ButtonHeight},
        QStringLiteral("Click here to add the folder selected below to the exclude list."));
    cmdAddFolder->move(LeftWidth - cmdAddFolder->width(), driveRow - 2);
    connect(cmdAddFolder, &PictureButton::clicked, this, &AdvancedPage::cmdAddFolder_Click);
    const int treeTop = driveRow + LineHeight + 6;
    excludeAdd = new DriveFolderPicker(this, {{"txtExcludeAdd", "cmbExcludeAdd", "lstExcludeAdd"},
                                              "dirExcludeAdd",
                                              {0, driveRow, cmdAddFolder->x() - 8 - 17, LineHeight},
                                              twips(1200),
                                              {0, treeTop, LeftWidth, height() - treeTop},
                                              {L::cmbExcludeAdd, L::lstExcludeAdd, L::lstExcludeAddLostFocus},
                                              AddFolderCaption,
                                              AddFolderCaption,
                                              true});

    // The excluded folders.
    const int listWidth = width() - RightLeft;
    controls::label(this, "lblExcludeFolders", QStringLiteral("Exclude These Folders From Searches:"),
                    {RightLeft, 0});
    lstExcludeFolders = new QTreeWidget(this);
    lstExcludeFolders->setObjectName(QStringLiteral("lstExcludeFolders"));
    lstExcludeFolders->setFont(controls::pageFont());
    lstExcludeFolders->setHeaderLabels({QStringLiteral("Excluded Folders")});
    lstExcludeFolders->setRootIsDecorated(false);
    lstExcludeFolders->setUniformRowHeights(true);
    lstExcludeFolders->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstExcludeFolders->setGeometry(RightLeft, 18, listWidth, height() - 18 - ButtonHeight - 6);
    controls::describe(lstExcludeFolders, QStringLiteral("Exclude These Folders From Searches:"));
    cmdRemoveFolder = controls::captionButton(
        this, "cmdRemoveFolder", QStringLiteral("Remove Folder"), {0, 0, ButtonWidth, ButtonHeight},
        QStringLiteral("Click here to remove the folder selected above from the exclude list."));
    cmdRemoveFolder->move(width() - cmdRemoveFolder->width(), height() - ButtonHeight);
    connect(cmdRemoveFolder, &PictureButton::clicked, this, &AdvancedPage::cmdRemoveFolder_Click);
    ExcludedFolders = {std::string()};
}

void AdvancedPage::LoadExcludedFolders()
{
    lstExcludeFolders->clear();
    ExcludedFolders =
        SplitExcludedFolders(GetSetting(options::Application, options::SettingsSection,
                                        options::ExcludedFolders.key, options::ExcludedFolders.defaultValue));
    for (const std::string& folder : ExcludedFolderRows(ExcludedFolders)) {
        auto* row = new QTreeWidgetItem(lstExcludeFolders);
        row->setText(0, QString::fromUtf8(folder.data(), qsizetype(folder.size())));
        row->setData(0, Qt::UserRole, QByteArray::fromStdString(folder));
    }
}

void AdvancedPage::cmdAddFolder_Click()
{
    guarded(L::cmdAddFolder, [&] {
        const std::string folder = QFile::encodeName(excludeAdd->tree->folderPath()).toStdString();
        const std::optional<std::string> value = AddExcludedFolder(ExcludedFolders, folder);
        if (!value)
            return;
        saveOptionSetting(options::ExcludedFolders, *value);
        LoadExcludedFolders();
    });
}

void AdvancedPage::cmdRemoveFolder_Click()
{
    guarded(L::cmdRemoveFolder, [&] {
        std::vector<std::string> rows;
        std::vector<bool> selected;
        for (int i = 0; i < lstExcludeFolders->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = lstExcludeFolders->topLevelItem(i);
            rows.push_back(row->data(0, Qt::UserRole).toByteArray().toStdString());
            selected.push_back(row->isSelected());
        }
        saveOptionSetting(options::ExcludedFolders, RemoveExcludedFolders(rows, selected));
        LoadExcludedFolders();
    });
}

void AdvancedPage::txtSearchInsideTheseFileTypes_Change()
{
    guarded(L::txtSearchInsideTheseFileTypes, [&] {
        const std::string types = txtSearchInsideTheseFileTypes->text().toUtf8().toStdString();
        moduleOptions().SearchInsideTypes = types;
        saveOptionSetting(options::SearchInside, types);
    });
}

} // namespace zephrix
