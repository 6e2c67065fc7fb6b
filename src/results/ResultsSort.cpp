#include "results/ResultsSort.h"

#include <QCollator>
#include <algorithm>
#include <cstdint>

#include "results/CellText.h"

namespace zephrix {
namespace {

// Each entry's present position; entries are then read in storage order,
// which is far kinder to the cache than following `shown`.
std::vector<int> positionsOf(const std::vector<int>& shown)
{
    std::vector<int> position(shown.size());
    for (size_t row = 0; row < shown.size(); ++row)
        position[size_t(shown[row])] = int(row);
    return position;
}

template <typename Key, typename Less>
std::vector<int> orderByKey(std::vector<Key>& keyed, const std::vector<int>& shown, Less less)
{
    std::sort(keyed.begin(), keyed.end(), less);
    std::vector<int> order;
    order.reserve(keyed.size());
    for (const Key& key : keyed)
        order.push_back(shown[size_t(key.position)]);
    return order;
}

// Sorts by one value per row; ties go by present position, so equal rows
// never trade places.
template <typename Value, typename ValueOf>
std::vector<int> orderByValue(const std::vector<ResultsEntry>& entries, const std::vector<int>& shown,
                              Qt::SortOrder order, ValueOf valueOf)
{
    struct Keyed {
        Value value;
        int position;
    };
    const std::vector<int> position = positionsOf(shown);
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keyed.push_back({valueOf(entries[i].row), position[i]});
    if (order == Qt::AscendingOrder)
        return orderByKey(keyed, shown, [](const Keyed& a, const Keyed& b) {
            return a.value != b.value ? a.value < b.value : a.position < b.position;
        });
    return orderByKey(keyed, shown, [](const Keyed& a, const Keyed& b) {
        return a.value != b.value ? a.value > b.value : a.position < b.position;
    });
}

// Texts compare by the collation key of the shown text, made once per row:
// comparing two keys is a byte comparison, where comparing two strings through
// the collator would redo the locale's work in every one of n log n calls.
std::vector<int> orderByText(const std::vector<ResultsEntry>& entries, const std::vector<int>& shown,
                             ResultsColumn column, Qt::SortOrder order)
{
    QCollator collator;
    collator.setNumericMode(false);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const ResultsEntry& entry : entries)
        keys.push_back(collator.sortKey(cellText(entry, column)));

    struct Keyed {
        const QCollatorSortKey* key;
        int position;
    };
    const std::vector<int> position = positionsOf(shown);
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keyed.push_back({&keys[i], position[i]});
    const int direction = order == Qt::AscendingOrder ? 1 : -1;
    return orderByKey(keyed, shown, [direction](const Keyed& a, const Keyed& b) {
        const int compared = a.key->compare(*b.key);
        return compared != 0 ? compared * direction < 0 : a.position < b.position;
    });
}

} // namespace

SortDataType sortDataType(ResultsColumn column)
{
    switch (column) {
    case ResultsColumn::Size:
        return SortDataType::Number;
    case ResultsColumn::DateCreated:
    case ResultsColumn::DateModified:
        return SortDataType::Date;
    default:
        return SortDataType::Text;
    }
}

std::vector<int> sortedOrder(const std::vector<ResultsEntry>& entries, const std::vector<int>& shown,
                             ResultsColumn column, Qt::SortOrder order)
{
    switch (sortDataType(column)) {
    case SortDataType::Number:
        return orderByValue<uint64_t>(entries, shown, order, sizeValue);
    case SortDataType::Date:
        return orderByValue<int64_t>(entries, shown, order,
                                     column == ResultsColumn::DateCreated ? createdValue : modifiedValue);
    case SortDataType::Text:
        break;
    }
    return orderByText(entries, shown, column, order);
}

} // namespace zephrix
