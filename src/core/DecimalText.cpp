#include "core/DecimalText.h"

namespace zephrix {

std::optional<uint64_t> parseLongDecimal(std::string_view text, uint64_t max)
{
    uint64_t value = 0;
    const char* const end = text.data() + text.size();
    // from_chars takes no sign or blank for an unsigned type, and says when
    // the digits pass 64 bits however many leading zeros come first.
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || value > max)
        return std::nullopt;
    return value;
}

} // namespace zephrix
