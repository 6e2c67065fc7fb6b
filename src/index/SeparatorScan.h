#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "index/IndexFormat.h"

namespace zephrix {

// Walks the bytes of an index text that end or interrupt a field: the field
// separator, the line feed and the escape mark. The text is classified 64
// bytes at a time into one bit mask, so a line costs a few instructions per
// field rather than a library call per field, and every byte of the file is
// looked at once.
class SeparatorScan {
  public:
    [[gnu::always_inline]] SeparatorScan(const char* begin, const char* end)
        : text_(begin), size_(size_t(end - begin))
    {
        bits_ = size_ > 0 ? maskAt(0) : 0;
    }

    // The next separator, line feed or escape mark after the one returned
    // last; the end of the text when none is left.
    [[gnu::always_inline]] const char* next()
    {
        while (bits_ == 0) {
            block_ += BlockSize;
            if (block_ >= size_) {
                block_ = size_;
                return text_ + size_;
            }
            bits_ = maskAt(block_);
        }
        const size_t at = block_ + static_cast<size_t>(__builtin_ctzll(bits_));
        bits_ &= bits_ - 1;
        return text_ + at;
    }

  private:
    static constexpr size_t BlockSize = 64;

    // Bit k: byte `offset + k` is a separator.
    [[gnu::always_inline]] uint64_t maskAt(size_t offset) const
    {
        if (size_ - offset >= BlockSize)
            return fullMask(text_ + offset);
        // The last, short block: zero bytes are no separators.
        unsigned char tail[BlockSize] = {};
        std::memcpy(tail, text_ + offset, size_ - offset);
        return fullMask(reinterpret_cast<const char*>(tail));
    }

#if defined(__SSE2__)
    [[gnu::always_inline]] static uint64_t fullMask(const char* p)
    {
        const __m128i bar = _mm_set1_epi8(IndexFormat::FieldSeparator);
        const __m128i lineFeed = _mm_set1_epi8(IndexFormat::LineFeed);
        const __m128i percent = _mm_set1_epi8(IndexFormat::EscapeMark);
        auto part = [&](int at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            const __m128i hits =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, bar), _mm_cmpeq_epi8(v, lineFeed)),
                             _mm_cmpeq_epi8(v, percent));
            return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(hits)));
        };
        return part(0) | part(16) << 16 | part(32) << 32 | part(48) << 48;
    }
#else
    static uint64_t fullMask(const char* p)
    {
        uint64_t mask = 0;
        for (size_t k = 0; k < BlockSize; ++k) {
            const char c = p[k];
            mask |= static_cast<uint64_t>(c == IndexFormat::FieldSeparator || c == IndexFormat::LineFeed ||
                                          c == IndexFormat::EscapeMark)
                    << k;
        }
        return mask;
    }
#endif

    const char* text_;
    size_t size_;
    size_t block_ = 0;
    uint64_t bits_ = 0;
};

// Number of line feeds in [begin, end), sixteen at a time where SSE2 is there.
inline size_t countLineFeeds(const char* begin, const char* end)
{
    size_t count = 0;
    const char* p = begin;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8(IndexFormat::LineFeed);
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        // Byte counters, summed before any of them can pass 255.
        __m128i counters = zero;
        for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(v, lineFeed));
        }
        const __m128i sums = _mm_sad_epu8(counters, zero);
        count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    for (; p < end; ++p)
        count += *p == IndexFormat::LineFeed;
    return count;
}

} // namespace zephrix
