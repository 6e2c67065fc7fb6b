#include "results/ResultsModel.h"

#include <algorithm>
#include <utility>

#include "results/CellText.h"
#include "results/ResultsSort.h"
#include "results/ResultsTexts.h"

namespace zephrix {

ResultsModel::ResultsModel(QObject* parent) : QAbstractTableModel(parent)
{
}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ResultsColumnCount;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto column = ResultsColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return cellText(entryAt(index.row()), column);
    case Qt::TextAlignmentRole:
        return column == ResultsColumn::Size ? int(Qt::AlignRight | Qt::AlignVCenter)
                                             : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::DecorationRole:
        return column == ResultsColumn::Name ? iconOf(index.row()) : QVariant();
    default:
        return {};
    }
}

QVariant ResultsModel::iconOf(int at) const
{
    const ResultsEntry& entry = entryAt(at);
    if (entry.icon == ResultsEntry::NoIcon)
        return {};
    if (entry.icon == ResultsEntry::IconPending)
        entry.icon = uint16_t(icons_.slotFor(entry.row.name, entry.row.isFolder) + 1);
    return icons_.icon(FileIcons::Slot(entry.icon - 1));
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ResultsColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QString::fromLatin1(results::ColumnCaptions[section]);
    if (role == Qt::TextAlignmentRole)
        return ResultsColumn(section) == ResultsColumn::Size ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                             : int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags =
        Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (ResultsColumn(index.column()) == ResultsColumn::Name)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ResultsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() ||
        ResultsColumn(index.column()) != ResultsColumn::Name)
        return false;
    const QString text = value.toString();
    // A rename may show a dialog; the editor losing focus to it commits again.
    if (text.isEmpty() || !renameHandler_ || renaming_)
        return false;
    const std::string& oldName = row(index.row()).name;
    // Confirmed unchanged: keep the name's own bytes, which the shown text may
    // have replaced.
    std::string newName = text == displayText(oldName) ? oldName : text.toStdString();

    const QPersistentModelIndex target(index);
    renaming_ = true;
    const bool renamed = renameHandler_(index.row(), newName);
    renaming_ = false;
    if (!renamed || !target.isValid())
        return false;
    setName(target.row(), std::move(newName));
    return true;
}

void ResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ResultsColumnCount || shown_.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> sorted = sortedOrder(entries_, shown_, ResultsColumn(column), order);
    // Where each old row went: the entry's new row, found by its entry index.
    std::vector<int> rowOfEntry(entries_.size());
    for (size_t row = 0; row < sorted.size(); ++row)
        rowOfEntry[size_t(sorted[row])] = int(row);
    std::vector<int> oldShown = std::exchange(shown_, std::move(sorted));

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(rowOfEntry[size_t(oldShown[size_t(index.row())])], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::reserveFor(size_t more)
{
    // Growing by half rather than doubling bounds the unused room per row.
    const size_t needed = entries_.size() + more;
    if (needed > entries_.capacity()) {
        const size_t room = std::max(needed, entries_.capacity() + entries_.capacity() / 2);
        entries_.reserve(room);
        shown_.reserve(room);
    }
}

void ResultsModel::appendRows(std::vector<ResultRow>&& rows, RowIcons icons)
{
    if (rows.empty())
        return;
    const uint16_t icon = icons == RowIcons::ByType ? ResultsEntry::IconPending : ResultsEntry::NoIcon;
    const int first = rowCount();
    reserveFor(rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    for (ResultRow& row : rows) {
        shown_.push_back(int(entries_.size()));
        entries_.push_back(ResultsEntry{std::move(row), icon, false});
    }
    endInsertRows();
}

void ResultsModel::appendRowsOf(const ResultsModel& other)
{
    if (other.shown_.empty() || &other == this)
        return;
    const int first = rowCount();
    reserveFor(other.shown_.size());
    beginInsertRows({}, first, first + other.rowCount() - 1);
    for (int at = 0; at < other.rowCount(); ++at) {
        const ResultsEntry& entry = other.entryAt(at);
        // This list keeps icons of its own: the other's go with its next search.
        const uint16_t icon =
            entry.icon == ResultsEntry::NoIcon ? ResultsEntry::NoIcon : ResultsEntry::IconPending;
        shown_.push_back(int(entries_.size()));
        entries_.push_back(ResultsEntry{entry.row, icon, entry.moved});
    }
    endInsertRows();
}

void ResultsModel::clear()
{
    beginResetModel();
    std::vector<ResultsEntry>().swap(entries_);
    std::vector<int>().swap(shown_);
    icons_.clear();
    endResetModel();
}

void ResultsModel::removeRowsAt(std::vector<int> rows)
{
    std::erase_if(rows, [this](int row) { return row < 0 || row >= rowCount(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return;
    // Runs of neighbouring rows, last first, so earlier positions stay valid.
    std::vector<std::pair<int, int>> runs;
    for (int row : rows) {
        if (!runs.empty() && runs.back().second + 1 == row)
            runs.back().second = row;
        else
            runs.push_back({row, row});
    }
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        beginRemoveRows({}, run->first, run->second);
        shown_.erase(shown_.begin() + run->first, shown_.begin() + run->second + 1);
        endRemoveRows();
    }
    dropUnshownEntries();
}

// Frees the entries no row shows any more, in one pass.
void ResultsModel::dropUnshownEntries()
{
    std::vector<int> newIndex(entries_.size(), -1);
    for (int entry : shown_)
        newIndex[size_t(entry)] = 0;
    int kept = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (newIndex[i] < 0)
            continue;
        if (size_t(kept) != i)
            entries_[size_t(kept)] = std::move(entries_[i]);
        newIndex[i] = kept++;
    }
    entries_.erase(entries_.begin() + kept, entries_.end());
    for (int& entry : shown_)
        entry = newIndex[size_t(entry)];
}

void ResultsModel::setName(int at, std::string name)
{
    if (at < 0 || at >= rowCount())
        return;
    ResultsEntry& entry = entryAt(at);
    entry.row.name = std::move(name);
    // A new extension may mean a new type.
    if (entry.icon != ResultsEntry::NoIcon)
        entry.icon = ResultsEntry::IconPending;
    emitRowChanged(at, ResultsColumn::Name, ResultsColumn::Name);
}

void ResultsModel::markMoved(int at)
{
    if (at < 0 || at >= rowCount())
        return;
    entryAt(at).moved = true;
    emitRowChanged(at, ResultsColumn::Path, ResultsColumn::Path);
}

void ResultsModel::emitRowChanged(int at, ResultsColumn first, ResultsColumn last)
{
    emit dataChanged(index(at, int(first)), index(at, int(last)));
}

} // namespace zephrix
