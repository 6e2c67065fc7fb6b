#include "app/WholeNumber.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace zephrix {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> parseWholeNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Integer part, then an optional fraction; at least one digit in all.
    // Digits beyond the range are still consumed so the whole text is checked.
    constexpr int64_t limit = int64_t(std::numeric_limits<int>::max()) + 1;
    int64_t whole = 0;
    size_t digits = 0;
    size_t i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        whole = std::min<int64_t>(whole * 10 + (text[i] - '0'), limit + 1);

    double fraction = 0;
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits) {
            fraction += (text[i] - '0') * scale;
            scale /= 10;
        }
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;

    // Round half to even on the magnitude, then apply the sign.
    if (fraction > 0.5 || (fraction == 0.5 && whole % 2 == 1))
        ++whole;
    const int64_t value = negative ? -whole : whole;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

} // namespace zephrix
