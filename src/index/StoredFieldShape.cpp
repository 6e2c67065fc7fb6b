#include "index/StoredFieldShape.h"

namespace zephrix::StoredFieldShape {
namespace {

// A run of min to max of the bytes `accepted` says yes to, at pos.
template <typename Accepted>
bool run(std::string_view text, size_t& pos, size_t min, size_t max, Accepted accepted)
{
    const size_t start = pos;
    while (pos < text.size() && pos - start < max && accepted(text[pos]))
        ++pos;
    return pos - start >= min && (pos == text.size() || !accepted(text[pos]));
}

bool literal(std::string_view text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isYearByte(char c)
{
    return isDigit(c) || c == '-';
}

} // namespace

bool isDateText(std::string_view text)
{
    constexpr size_t Any = std::string_view::npos;
    size_t pos = 0;
    if (!run(text, pos, 1, 2, isDigit) || !literal(text, pos, '/') || !run(text, pos, 1, 2, isDigit) ||
        !literal(text, pos, '/') || !run(text, pos, 4, Any, isYearByte))
        return false;
    if (pos == text.size())
        return true;
    if (!literal(text, pos, ' ') || !run(text, pos, 1, 2, isDigit) || !literal(text, pos, ':') ||
        !run(text, pos, 2, 2, isDigit) || !literal(text, pos, ':') || !run(text, pos, 2, 2, isDigit) ||
        !literal(text, pos, ' '))
        return false;
    const std::string_view suffix = text.substr(pos);
    return suffix == "AM" || suffix == "PM";
}

} // namespace zephrix::StoredFieldShape
