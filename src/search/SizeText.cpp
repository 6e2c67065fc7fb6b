#include "search/SizeText.h"

namespace zephrix {

std::string formatSizeCell(std::string_view size, std::string_view groupSeparator)
{
    if (size.empty())
        return {};
    for (char c : size) {
        if (c < '0' || c > '9')
            return std::string(size);
    }
    const size_t firstDigit = size.find_first_not_of('0');
    if (firstDigit == std::string_view::npos)
        return {};
    const std::string_view digits = size.substr(firstDigit);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 * groupSeparator.size());
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.append(groupSeparator);
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace zephrix
