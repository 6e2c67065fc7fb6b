#pragma once
#include <cstdint>

#include "search/ResultRow.h"

namespace zephrix {

// The six columns of a results list, in display order.
enum class ResultsColumn : int { Name, Path, FileType, Size, DateCreated, DateModified };
inline constexpr int ResultsColumnCount = 6;

// Whether rows appended to a list get an icon: the icon option as it stood
// when their search started.
enum class RowIcons : uint8_t { None, ByType };

// One row of a results list as the model stores it: the raw row and two small
// marks. Kept this small because a list may hold hundreds of thousands.
struct ResultsEntry {
    // No icon; an icon not looked up yet; otherwise the icon slot plus one.
    static constexpr uint16_t NoIcon = 0;
    static constexpr uint16_t IconPending = 0xFFFF;

    ResultRow row;
    // Looked up the first time the row is shown, which may be from a const view.
    mutable uint16_t icon = NoIcon;
    // The entry was moved away by a drag: the row names no file any more.
    bool moved = false;
};

// The values a sort compares and the cells show: a folder has neither size
// nor dates, whatever its row carries.
inline uint64_t sizeValue(const ResultRow& row)
{
    return row.isFolder ? 0 : row.size;
}

inline int64_t createdValue(const ResultRow& row)
{
    return row.isFolder ? NoTime : row.created;
}

inline int64_t modifiedValue(const ResultRow& row)
{
    return row.isFolder ? NoTime : row.modified;
}

} // namespace zephrix
