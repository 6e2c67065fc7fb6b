#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "search/TextFold.h"

// Name tests on the names of the loaded index, which are followed by padding
// (LoadedIndex::NamePadding): they read sixteen bytes at a time without
// minding where a name ends. Inline, since they run once per entry.
namespace zephrix {

// What the matcher needs of a name before comparing it.
struct IndexNameShape {
    size_t lastDot; // position of the last '.', or the length when none
    bool ascii;     // no byte of 0x80 or more
};

// A case-folded ASCII pattern searched for in index names.
class IndexNamePattern {
  public:
    // foldedAscii: a pattern already folded, every byte below 0x80.
    void assign(std::string_view foldedAscii);

    // Whether the pattern occurs in the ASCII text[0, length), ignoring
    // ASCII case. At least 16 readable bytes must follow the text.
    bool isContainedInAscii(const char* text, size_t length) const;

  private:
    static constexpr size_t Capacity = 256;
    // The pattern, and per byte 0x20 where it is a lower-case letter: a name
    // byte b matches pattern byte c when (b | caseBit) == c. The first and
    // the last byte are also kept sixteen times over.
    alignas(16) unsigned char pattern_[Capacity + 16] = {};
    alignas(16) unsigned char caseBits_[Capacity + 16] = {};
    alignas(16) unsigned char first_[16] = {};
    alignas(16) unsigned char firstCase_[16] = {};
    alignas(16) unsigned char last_[16] = {};
    alignas(16) unsigned char lastCase_[16] = {};
    size_t length_ = 0;
    std::string lower_; // for patterns past Capacity
};

#if defined(__SSE2__)

namespace indexname {

inline __m128i load16(const void* p)
{
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

// The low `count` bits (all sixteen from 16 on).
inline unsigned lowBits(size_t count)
{
    return count >= 16 ? 0xFFFFu : (1u << count) - 1;
}

} // namespace indexname

inline IndexNameShape shapeOfIndexName(const char* name, size_t length)
{
    using indexname::load16;
    using indexname::lowBits;
    const __m128i dot = _mm_set1_epi8('.');
    unsigned high = 0;
    size_t lastDot = length;
    for (size_t i = 0; i < length; i += 16) {
        const __m128i v = load16(name + i);
        const unsigned valid = lowBits(length - i);
        high |= static_cast<unsigned>(_mm_movemask_epi8(v)) & valid;
        const unsigned dots = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, dot))) & valid;
        if (dots)
            lastDot = i + 31 - static_cast<size_t>(__builtin_clz(dots));
    }
    return {lastDot, high == 0};
}

inline bool IndexNamePattern::isContainedInAscii(const char* text, size_t length) const
{
    using indexname::load16;
    using indexname::lowBits;
    const size_t m = length_;
    if (m > Capacity)
        return findAsciiIgnoringCase(std::string_view(text, length), lower_) != std::string_view::npos;
    if (m > length)
        return false;
    if (m == 0)
        return true;
    // Candidates are the starts where the first and the last byte of the
    // pattern both match; each is then compared whole.
    const __m128i first = load16(first_);
    const __m128i firstCase = load16(firstCase_);
    const __m128i last = load16(last_);
    const __m128i lastCase = load16(lastCase_);
    const size_t lastStart = length - m;
    for (size_t i = 0; i <= lastStart; i += 16) {
        const __m128i atFirst = _mm_cmpeq_epi8(_mm_or_si128(load16(text + i), firstCase), first);
        const __m128i atLast = _mm_cmpeq_epi8(_mm_or_si128(load16(text + i + m - 1), lastCase), last);
        unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(atFirst, atLast))) &
                              lowBits(lastStart - i + 1);
        while (candidates) {
            const char* at = text + i + static_cast<size_t>(__builtin_ctz(candidates));
            bool equal = true;
            for (size_t k = 0; k < m && equal; k += 16) {
                const __m128i bytes = _mm_or_si128(load16(at + k), load16(caseBits_ + k));
                const unsigned same =
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, load16(pattern_ + k))));
                const unsigned wanted = lowBits(m - k);
                equal = (same & wanted) == wanted;
            }
            if (equal)
                return true;
            candidates &= candidates - 1;
        }
    }
    return false;
}

#else

inline IndexNameShape shapeOfIndexName(const char* name, size_t length)
{
    const std::string_view text(name, length);
    const size_t dot = text.rfind('.');
    return {dot == std::string_view::npos ? length : dot, isAsciiText(text)};
}

inline bool IndexNamePattern::isContainedInAscii(const char* text, size_t length) const
{
    return findAsciiIgnoringCase(std::string_view(text, length), lower_) != std::string_view::npos;
}

#endif

} // namespace zephrix
