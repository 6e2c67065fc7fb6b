#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/TextFold.h"

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

    size_t length() const { return length_; }
    // Whether the block tests below can take the pattern (up to 256 bytes);
    // the others fall back on the general search.
    bool fits() const { return length_ <= Capacity; }

    // Whether the pattern occurs in the ASCII text[0, length), ignoring
    // ASCII case. At least 16 readable bytes must follow the text.
    bool isContainedInAscii(const char* text, size_t length) const;

    // Whether the length() ASCII bytes at `at` are the pattern, ignoring
    // ASCII case; the pattern fits(). At least 16 readable bytes must follow.
    bool matchesAt(const char* at) const;

    // Whether the pattern occurs in the base of an index name, the part
    // before its last dot, whose position goes to lastDot (the length when
    // there is none); OtherByte when the name has a byte of 0x80 or more.
    // Names of up to sixteen bytes, nearly all, take one block for all of it.
    AsciiSearch findInBase(const char* name, size_t length, size_t& lastDot) const;

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
    if (length <= 32) {
        // Nearly every name: two blocks taken together.
        const __m128i v0 = load16(name);
        const __m128i v1 = load16(name + 16);
        const uint32_t valid = length >= 32 ? ~uint32_t(0) : (uint32_t(1) << length) - 1;
        const uint32_t dots = (static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v0, dot))) |
                               static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v1, dot))) << 16) &
                              valid;
        const uint32_t high = (static_cast<uint32_t>(_mm_movemask_epi8(v0)) |
                               static_cast<uint32_t>(_mm_movemask_epi8(v1)) << 16) &
                              valid;
        return {dots ? 31 - static_cast<size_t>(__builtin_clz(dots)) : length, high == 0};
    }
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

inline bool IndexNamePattern::matchesAt(const char* at) const
{
    using indexname::load16;
    using indexname::lowBits;
    for (size_t k = 0; k < length_; k += 16) {
        const __m128i bytes = _mm_or_si128(load16(at + k), load16(caseBits_ + k));
        const unsigned same =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, load16(pattern_ + k))));
        const unsigned wanted = lowBits(length_ - k);
        if ((same & wanted) != wanted)
            return false;
    }
    return true;
}

inline AsciiSearch IndexNamePattern::findInBase(const char* name, size_t length, size_t& lastDot) const
{
    using indexname::load16;
    const size_t m = length_;
    if (length > 32 || m == 0 || m > 16) {
        const IndexNameShape shape = shapeOfIndexName(name, length);
        lastDot = shape.lastDot;
        if (!shape.ascii)
            return AsciiSearch::OtherByte;
        return isContainedInAscii(name, lastDot) ? AsciiSearch::Found : AsciiSearch::Absent;
    }
    // Up to 32 bytes, nearly every name, in two blocks taken together.
    auto mask = [](__m128i low, __m128i high) {
        return static_cast<uint32_t>(_mm_movemask_epi8(low)) | static_cast<uint32_t>(_mm_movemask_epi8(high))
                                                                   << 16;
    };
    auto lowBits = [](size_t count) { return count >= 32 ? ~uint32_t(0) : (uint32_t(1) << count) - 1; };
    const __m128i v0 = load16(name);
    const __m128i v1 = load16(name + 16);
    const uint32_t valid = lowBits(length);
    const __m128i dot = _mm_set1_epi8('.');
    const uint32_t dots = mask(_mm_cmpeq_epi8(v0, dot), _mm_cmpeq_epi8(v1, dot)) & valid;
    lastDot = dots ? 31 - static_cast<size_t>(__builtin_clz(dots)) : length;
    if (mask(v0, v1) & valid)
        return AsciiSearch::OtherByte;
    if (m > lastDot)
        return AsciiSearch::Absent;
    const __m128i first = load16(first_);
    const __m128i firstCase = load16(firstCase_);
    const __m128i last = load16(last_);
    const __m128i lastCase = load16(lastCase_);
    const uint32_t atFirst = mask(_mm_cmpeq_epi8(_mm_or_si128(v0, firstCase), first),
                                  _mm_cmpeq_epi8(_mm_or_si128(v1, firstCase), first));
    const uint32_t atLast = mask(_mm_cmpeq_epi8(_mm_or_si128(load16(name + m - 1), lastCase), last),
                                 _mm_cmpeq_epi8(_mm_or_si128(load16(name + m + 15), lastCase), last));
    uint32_t candidates = atFirst & atLast & lowBits(lastDot - m + 1);
    if (!candidates)
        return AsciiSearch::Absent;
    const __m128i pattern = load16(pattern_);
    const __m128i caseBits = load16(caseBits_);
    const unsigned wanted = (1u << m) - 1;
    do {
        const __m128i bytes = _mm_or_si128(load16(name + __builtin_ctz(candidates)), caseBits);
        if ((static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern))) & wanted) == wanted)
            return AsciiSearch::Found;
        candidates &= candidates - 1;
    } while (candidates);
    return AsciiSearch::Absent;
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

inline bool IndexNamePattern::matchesAt(const char* at) const
{
    for (size_t k = 0; k < length_; ++k) {
        const auto c = static_cast<unsigned char>(at[k]);
        if ((c | caseBits_[k]) != pattern_[k])
            return false;
    }
    return true;
}

inline AsciiSearch IndexNamePattern::findInBase(const char* name, size_t length, size_t& lastDot) const
{
    const IndexNameShape shape = shapeOfIndexName(name, length);
    lastDot = shape.lastDot;
    if (!shape.ascii)
        return AsciiSearch::OtherByte;
    return isContainedInAscii(name, lastDot) ? AsciiSearch::Found : AsciiSearch::Absent;
}

#endif

} // namespace zephrix
