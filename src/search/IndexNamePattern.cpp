#include "search/IndexNamePattern.h"

#include <cstring>

namespace zephrix {

void IndexNamePattern::assign(std::string_view foldedAscii)
{
    lower_.assign(foldedAscii);
    length_ = foldedAscii.size();
    std::memset(pattern_, 0, sizeof pattern_);
    std::memset(caseBits_, 0, sizeof caseBits_);
    if (length_ == 0 || length_ > Capacity)
        return;
    for (size_t i = 0; i < length_; ++i) {
        const auto c = static_cast<unsigned char>(foldedAscii[i]);
        pattern_[i] = c;
        caseBits_[i] = (c >= 'a' && c <= 'z') ? 0x20 : 0;
    }
    std::memset(first_, pattern_[0], sizeof first_);
    std::memset(firstCase_, caseBits_[0], sizeof firstCase_);
    std::memset(last_, pattern_[length_ - 1], sizeof last_);
    std::memset(lastCase_, caseBits_[length_ - 1], sizeof lastCase_);
}

} // namespace zephrix
