#include "search/SizeText.h"

#include <charconv>

namespace zephrix {

std::string formatSizeCell(uint64_t size, std::string_view groupSeparator)
{
    if (size == 0)
        return {};
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, size);
    const size_t count = size_t(end - digits);
    std::string out;
    out.reserve(count + count / 3 * groupSeparator.size());
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            out.append(groupSeparator);
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace zephrix
