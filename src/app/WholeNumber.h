#pragma once
#include <optional>
#include <string_view>

namespace zephrix {

// Reads a stored option as a whole number the way the options have always
// been read: blanks around it are ignored, a sign is allowed, and a decimal
// fraction is rounded half to even ("1.5" gives 2, "2.5" gives 2). Empty text,
// anything else, or a value beyond a 32-bit integer is not a number.
std::optional<int> parseWholeNumber(std::string_view text);

} // namespace zephrix
