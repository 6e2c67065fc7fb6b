#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/DecimalText.h"

// Cheap checks of the Size and date fields of an entries line, made by the
// loader for every line so that a damaged file is refused rather than shown
// as rows with made-up sizes and dates. They look at the shape only (digits,
// and the separators where the stored form puts them); whether a date is on
// the calendar is left to the matcher, which reads the few dates it needs.
namespace zephrix::StoredFieldShape {

// Exact shape of a stored date, byte by byte: M/D/YYYY, then " h:mm:ss AM"
// or " PM" unless the time is midnight. The year has four digits at least,
// and may have more, or a sign, for the odd file dated far from now.
bool isDateText(std::string_view text);

// Bit k: p[k] is a digit, for 64 bytes from p.
[[gnu::always_inline]] inline uint64_t digitMask(const char* p)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_set1_epi8('0'), nine = _mm_set1_epi8(9);
    auto sixteen = [&](const char* at) {
        const __m128i offset = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), zero);
        return uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, nine), offset))));
    };
    return sixteen(p) | sixteen(p + 16) << 16 | sixteen(p + 32) << 32 | sixteen(p + 48) << 48;
#else
    uint64_t mask = 0;
    for (int k = 0; k < 64; ++k)
        mask |= uint64_t(p[k] >= '0' && p[k] <= '9') << k;
    return mask;
#endif
}

// The layouts of a date with a year of four digits: month and day of one
// or two digits each, then nothing or " h:mm:ss AM" with an hour of one or
// two. The bytes that are no digits tell the layouts apart, so their
// positions and the date's length make a key that finds the layout in a
// small table; the date is then compared with the layout's separators
// sixteen bytes at a time.
struct DateLayouts {
    struct Layout {
        uint64_t key = 0;                // keyOf the separators and the length
        uint32_t separators = 0;         // the same bits in their places
        alignas(16) char withA[32] = {}; // the separators in their places, AM
        alignas(16) char withP[32] = {}; // and PM
    };
    static constexpr unsigned SlotBits = 5;
    Layout slots[1u << SlotBits];
    uint64_t multiplier = 0x9E3779B97F4A7C15ull;

    // The bits of the length's bytes, shifted to the top of the word, with
    // the length below them: two shifts rather than a mask of the length.
    static constexpr uint64_t keyOf(uint64_t separators, size_t length)
    {
        return separators << (64 - length) | length;
    }
    static constexpr unsigned slotOf(uint64_t key, uint64_t multiplier)
    {
        return static_cast<unsigned>((key * multiplier) >> (64 - SlotBits));
    }

    constexpr DateLayouts()
    {
        Layout all[12];
        unsigned count = 0;
        for (unsigned month = 1; month <= 2; ++month) {
            for (unsigned day = 1; day <= 2; ++day) {
                for (unsigned hour = 0; hour <= 2; ++hour) { // 0: no time
                    Layout& layout = all[count++];
                    auto put = [&](unsigned at, char a, char p) {
                        layout.separators |= 1u << at;
                        layout.withA[at] = a;
                        layout.withP[at] = p;
                    };
                    put(month, '/', '/');
                    put(month + 1 + day, '/', '/');
                    unsigned at = month + 1 + day + 1 + 4;
                    if (hour > 0) {
                        put(at, ' ', ' ');
                        at += 1 + hour;
                        put(at, ':', ':');
                        put(at + 3, ':', ':');
                        put(at + 6, ' ', ' ');
                        put(at + 7, 'A', 'P');
                        put(at + 8, 'M', 'M');
                        at += 9;
                    }
                    layout.key = keyOf(layout.separators, at);
                }
            }
        }
        // A multiplier that gives every layout a slot of its own.
        auto clash = [&] {
            bool used[1u << SlotBits] = {};
            for (unsigned k = 0; k < count; ++k) {
                const unsigned slot = slotOf(all[k].key, multiplier);
                if (used[slot])
                    return true;
                used[slot] = true;
            }
            return false;
        };
        while (clash())
            multiplier += 2;
        for (unsigned k = 0; k < count; ++k)
            slots[slotOf(all[k].key, multiplier)] = all[k];
    }
};
inline constexpr DateLayouts Dates;

// The date at p of length n, given the digit mask from p; 32 bytes from p
// must be readable. Any other shape (a year of five digits, a signed one, a
// damaged field) goes to the exact check.
[[gnu::always_inline]] inline bool isDate(const char* p, size_t n, uint64_t digits)
{
    if (n - 8 > 32 - 8)
        return isDateText({p, n});
    const uint64_t key = DateLayouts::keyOf(~digits, n);
    const DateLayouts::Layout& layout = Dates.slots[DateLayouts::slotOf(key, Dates.multiplier)];
#if defined(__SSE2__)
    auto same = [&](size_t at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(
            _mm_cmpeq_epi8(bytes, _mm_load_si128(reinterpret_cast<const __m128i*>(layout.withA + at))),
            _mm_cmpeq_epi8(bytes, _mm_load_si128(reinterpret_cast<const __m128i*>(layout.withP + at))))));
    };
    const uint32_t equal = same(0) | same(16) << 16;
#else
    uint32_t equal = 0;
    for (unsigned k = 0; k < 32; ++k)
        equal |= uint32_t(p[k] == layout.withA[k] || p[k] == layout.withP[k]) << k;
#endif
    if (((layout.key ^ key) | (layout.separators & ~equal)) == 0)
        return true;
    return isDateText({p, n});
}

// Size: empty (the matcher then reads the details from the disk), or digits
// of a number that fits 64 bits.
[[gnu::always_inline]] inline bool isSize(const char* p, size_t length, uint64_t digits)
{
    if (length == 0)
        return true;
    if (length > MaxDecimalLength)
        return false;
    const uint64_t field = (uint64_t(1) << length) - 1;
    // Nineteen digits always fit; twenty may not.
    return (digits & field) == field && (length < MaxDecimalLength || parseDecimal({p, length}).has_value());
}

// Whether the two dates are the same text: a file written once has
// identical ones, and the second then needs no check of its own. Both are at
// most 32 bytes and readable that far.
[[gnu::always_inline]] inline bool sameText(const char* a, const char* b, size_t aLength, size_t bLength)
{
    if (aLength != bLength || aLength > 32)
        return false;
#if defined(__SSE2__)
    auto differ = [](const char* x, const char* y) {
        return uint32_t(
                   _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(x)),
                                                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(y))))) ^
               0xFFFFu;
    };
    const uint64_t differing = differ(a, b) | uint64_t(differ(a + 16, b + 16)) << 16;
    return (differing & ((uint64_t(1) << aLength) - 1)) == 0;
#else
    return std::memcmp(a, b, aLength) == 0;
#endif
}

// The last three fields of a line, from the start of the size: size, '|',
// created, '|', modified. The text must be readable 64 bytes from `size`
// (the entries text is padded). An entry without a size takes all three
// details from the disk, so its dates are not looked at.
enum class Details { Fine, BadSize, BadDate };
[[gnu::always_inline]] inline Details checkDetails(const char* size, size_t sizeLength, size_t createdLength,
                                                   size_t modifiedLength)
{
    const uint64_t digits = digitMask(size);
    if (!isSize(size, sizeLength, digits))
        return Details::BadSize;
    if (sizeLength == 0)
        return Details::Fine;
    const size_t createdAt = sizeLength + 1;
    const size_t modifiedAt = createdAt + createdLength + 1;
    bool dates;
    if (modifiedAt + modifiedLength <= 64)
        dates = isDate(size + createdAt, createdLength, digits >> createdAt) &&
                (sameText(size + createdAt, size + modifiedAt, createdLength, modifiedLength) ||
                 isDate(size + modifiedAt, modifiedLength, digits >> modifiedAt));
    else
        dates =
            isDateText({size + createdAt, createdLength}) && isDateText({size + modifiedAt, modifiedLength});
    return dates ? Details::Fine : Details::BadDate;
}

} // namespace zephrix::StoredFieldShape
