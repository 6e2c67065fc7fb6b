#include "index/StoredFieldShape.h"

namespace zephrix::StoredFieldShape {
namespace {

// A run of at least one of the bytes `accepted` says yes to, at pos.
template <typename Accepted> bool run(std::string_view text, size_t& pos, Accepted accepted)
{
    const size_t start = pos;
    while (pos < text.size() && accepted(text[pos]))
        ++pos;
    return pos > start;
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

} // namespace

bool isDateText(std::string_view text)
{
    size_t pos = 0;
    const auto yearByte = [](char c) { return isDigit(c) || c == '-'; };
    if (!run(text, pos, isDigit) || !literal(text, pos, '/') || !run(text, pos, isDigit) ||
        !literal(text, pos, '/') || !run(text, pos, yearByte))
        return false;
    if (pos == text.size())
        return true;
    if (!literal(text, pos, ' ') || !run(text, pos, isDigit) || !literal(text, pos, ':') ||
        !run(text, pos, isDigit) || !literal(text, pos, ':') || !run(text, pos, isDigit) ||
        !literal(text, pos, ' '))
        return false;
    const std::string_view suffix = text.substr(pos);
    return suffix == "AM" || suffix == "PM";
}

} // namespace zephrix::StoredFieldShape
