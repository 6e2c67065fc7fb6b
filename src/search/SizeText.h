#pragma once
#include <string>
#include <string_view>

namespace zephrix {

// A stored size as the Size column shows it: digits grouped by thousands with
// the locale's grouping symbol, no decimals, and an empty cell for 0 or an
// empty size. A text that is not a whole number is shown as stored.
std::string formatSizeCell(std::string_view size, std::string_view groupSeparator);

} // namespace zephrix
