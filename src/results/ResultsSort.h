#pragma once
#include <Qt>
#include <vector>

#include "results/ResultsEntry.h"

namespace zephrix {

// How a column's values compare.
enum class SortDataType { Text, Number, Date };
SortDataType sortDataType(ResultsColumn column);

// The rows' order after sorting by `column`. `shown` lists every entry once,
// in their present order (shown[i] is the index into `entries` of row i); the
// result lists them in the new order the same way. Sizes and dates compare as
// values, texts as the locale orders them (digits as text); rows with equal
// values keep their present order.
std::vector<int> sortedOrder(const std::vector<ResultsEntry>& entries, const std::vector<int>& shown,
                             ResultsColumn column, Qt::SortOrder order);

} // namespace zephrix
