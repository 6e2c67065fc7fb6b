#include "results/ResultsList.h"

#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "app/OptionValues.h"
#include "results/ResultsBatcher.h"
#include "results/ResultsOperations.h"
#include "results/ResultsTexts.h"
#include "ui/WindowChrome.h"
#include "ui/frmMessages.h"

namespace zephrix {

ResultsList::ResultsList(QWidget* parent, EnterKey enterKey)
    : QTableView(parent), model_(new ResultsModel(this)),
      batcher_(new ResultsBatcher(
          *model_, [] { return moduleOptions().ShowIcons == 1; }, this)),
      enterKey_(enterKey)
{
    setModel(model_);
    model_->setRenameHandler([this](int row, const std::string& newName) { return renameRow(row, newName); });

    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Editing starts from F2, the menu and the toolbar only: a slow second
    // click would race the double-click that opens.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setShowGrid(false);
    setWordWrap(false);
    setIconSize(QSize(16, 16));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setUpColumns();
    setUpMenu();

    setToolTip(QString::fromLatin1(results::ListToolTip));
    setAccessibleName(QString::fromLatin1(results::ListName));
    setAccessibleDescription(QString::fromLatin1(results::ListToolTip));

    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { horizontalHeader()->setSortIndicatorShown(false); });
}

ResultSink& ResultsList::resultSink()
{
    return *batcher_;
}

void ResultsList::setUpColumns()
{
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(8);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    // The design widths, once: afterwards the columns are the user's.
    for (int column = 0; column < ResultsColumnCount; ++column)
        header->resizeSection(column, twips(results::ColumnWidths[column]));
    connect(header, &QHeaderView::sectionClicked, this, &ResultsList::lstSearchResults_ColumnClick);

    // Uniform rows keep a hundred thousand of them cheap to lay out.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
}

void ResultsList::setUpMenu()
{
    mnu_Results = new QMenu(QString::fromLatin1(results::MenuCaption), this);
    mnu_Results->setObjectName(QStringLiteral("mnu_Results"));
    auto addItem = [this](const char* name, const char* caption, void (ResultsList::*slot)()) {
        QAction* item = mnu_Results->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    mnu_open = addItem("mnu_open", results::OpenCaption, &ResultsList::mnu_open_Click);
    mnu_Rename = addItem("mnu_Rename", results::RenameCaption, &ResultsList::mnu_Rename_Click);
    mnu_properties =
        addItem("mnu_properties", results::PropertiesCaption, &ResultsList::mnu_properties_Click);
    mnu_sep1 = mnu_Results->addSeparator();
    mnu_sep1->setObjectName(QStringLiteral("mnu_sep1"));
    mnuDelete = addItem("mnuDelete", results::DeleteCaption, &ResultsList::mnuDelete_Click);
}

void ResultsList::popUpMenu(const QPoint& globalPosition)
{
    mnu_Results->popup(globalPosition);
}

std::vector<int> ResultsList::selectedRowsInOrder() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int ResultsList::actionRow() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), {}))
        return current.row();
    const std::vector<int> selected = selectedRowsInOrder();
    return selected.empty() ? -1 : selected.front();
}

void ResultsList::tellMoved()
{
    frmMessages::notifyOk(QString::fromLatin1(results::MovedMessage));
}

void ResultsList::runOnActionRow(void (ResultsOperations::*operation)(QWidget*, const ResultRow&))
{
    const int row = model_->rowCount() > 0 ? actionRow() : -1;
    if (row < 0)
        return;
    if (model_->isMoved(row))
        tellMoved();
    else if (operations_)
        (operations_->*operation)(this, ResultRow(model_->row(row)));
}

void ResultsList::mnu_open_Click()
{
    runOnActionRow(&ResultsOperations::openEntry);
}

void ResultsList::mnu_properties_Click()
{
    runOnActionRow(&ResultsOperations::showProperties);
}

void ResultsList::mnu_Rename_Click()
{
    const int row = model_->rowCount() > 0 ? actionRow() : -1;
    if (row < 0)
        return;
    if (model_->isMoved(row)) {
        tellMoved();
        return;
    }
    const QModelIndex name = model_->index(row, int(ResultsColumn::Name));
    setCurrentIndex(name);
    scrollTo(name);
    edit(name);
}

bool ResultsList::renameRow(int row, const std::string& newName)
{
    if (model_->isMoved(row)) {
        tellMoved();
        return false;
    }
    // A copy: the operation may wait on a dialog while the rows change.
    return operations_ && operations_->renameEntry(this, ResultRow(model_->row(row)), newName);
}

ResultsList::SelectedFiles ResultsList::selectedFiles() const
{
    SelectedFiles files;
    for (int row : selectedRowsInOrder()) {
        if (model_->isMoved(row)) {
            files.movedSelected = true;
            continue;
        }
        files.targets.emplace_back(model_->index(row, 0));
        files.rows.push_back(model_->row(row));
    }
    return files;
}

void ResultsList::mnuDelete_Click()
{
    if (model_->rowCount() == 0)
        return;
    const SelectedFiles files = selectedFiles();
    if (!files.rows.empty() && operations_) {
        // The confirmation waits on the user; rows are found again afterwards.
        std::vector<int> gone;
        for (size_t position : operations_->deleteEntries(this, files.rows)) {
            if (position < files.targets.size() && files.targets[position].isValid())
                gone.push_back(files.targets[position].row());
        }
        model_->removeRowsAt(std::move(gone));
    }
    if (files.movedSelected)
        tellMoved();
}

void ResultsList::lstSearchResults_ColumnClick(int column)
{
    if (column < 0 || column >= ResultsColumnCount)
        return;
    const Qt::SortOrder order = ResultsSortToggle ? Qt::AscendingOrder : Qt::DescendingOrder;
    ResultsSortToggle = !ResultsSortToggle;
    model_->sort(column, order);
    horizontalHeader()->setSortIndicator(column, order);
    horizontalHeader()->setSortIndicatorShown(true);
}

// Rows moved away earlier are left out of a drag, without a message: the
// drag carries what can still be found.
void ResultsList::startDrag(Qt::DropActions)
{
    const SelectedFiles files = selectedFiles();
    if (files.rows.empty() || !operations_ || !operations_->dragEntries(this, files.rows))
        return;
    for (const QPersistentModelIndex& target : files.targets) {
        if (target.isValid())
            model_->markMoved(target.row());
    }
}

} // namespace zephrix
