#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zephrix {

// A size as the Size column shows it: digits grouped by thousands with the
// locale's grouping symbol, no decimals, and an empty cell for 0.
std::string formatSizeCell(uint64_t size, std::string_view groupSeparator);

} // namespace zephrix
