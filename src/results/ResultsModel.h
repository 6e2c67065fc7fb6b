#pragma once
#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <vector>

#include "results/FileIcons.h"
#include "results/ResultsEntry.h"

namespace zephrix {

// The rows of one results list, in raw values, formatted only when a cell is
// shown. Rows arrive in batches (one insert signal per batch), sort on their
// values, and carry two marks: whether they show an icon (decided when they
// were added, looked up when first shown) and whether a drag moved them away.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Asked when the user confirms an edited name (never empty). True when the
    // entry was renamed: the row then shows the new name.
    using RenameHandler = std::function<bool(int row, const std::string& newName)>;

    explicit ResultsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The edited name of the first column: goes through the rename handler.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Reorders the rows themselves, so the model's order is the shown order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void appendRows(std::vector<ResultRow>&& rows, RowIcons icons = RowIcons::None);
    // Appends copies of all rows of `other` in its order, marks included.
    void appendRowsOf(const ResultsModel& other);
    void clear();

    const ResultRow& row(int at) const { return entryAt(at).row; }
    bool isMoved(int at) const { return entryAt(at).moved; }
    bool hasIcon(int at) const { return entryAt(at).icon != ResultsEntry::NoIcon; }
    // Removes the rows at the given positions (any order, repeats allowed).
    void removeRowsAt(std::vector<int> rows);
    void setName(int at, std::string name);
    void markMoved(int at);

    void setRenameHandler(RenameHandler handler) { renameHandler_ = std::move(handler); }

    // The icons of the present rows, one per type.
    const FileIcons& icons() const { return icons_; }

  private:
    const ResultsEntry& entryAt(int at) const { return entries_[size_t(shown_[size_t(at)])]; }
    ResultsEntry& entryAt(int at) { return entries_[size_t(shown_[size_t(at)])]; }
    QVariant iconOf(int at) const;
    void dropUnshownEntries();
    void reserveFor(size_t more);
    void emitRowChanged(int at, ResultsColumn first, ResultsColumn last);

    // The entries in the order they came; shown_[row] is the entry at a row,
    // each entry shown exactly once. A sort rearranges only shown_: four
    // bytes a row instead of whole rows.
    std::vector<ResultsEntry> entries_;
    std::vector<int> shown_;
    // Filled as rows are first shown, from the const data().
    mutable FileIcons icons_;
    RenameHandler renameHandler_;
    bool renaming_ = false;
};

} // namespace zephrix
