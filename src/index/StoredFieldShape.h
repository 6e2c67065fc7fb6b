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

inline uint64_t load64(const char* p)
{
    uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// The bytes of word that `which` marks (0xFF each) are all digits. A carry
// out of a byte that is no digit at all can only spoil the test of the byte
// above, into a no: never a false yes.
constexpr bool digitBytes(uint64_t word, uint64_t which)
{
    const uint64_t high = 0xF0F0F0F0F0F0F0F0ull & which, threes = 0x3030303030303030ull & which;
    return ((word & high) == threes) & (((word + 0x0606060606060606ull) & high) == threes);
}

constexpr bool isDigitByte(char c)
{
    return static_cast<unsigned char>(c - '0') < 10;
}

// The bytes of a date's first six that hold its slashes, by their positions
// as bits: M/D/, M/DD/, MM/D/ and MM/DD/; no other pattern is a date.
struct SlashTable {
    uint64_t bytes[64] = {};    // 0xFF where a slash stands
    uint8_t yearStart[64] = {}; // after the second slash
    constexpr SlashTable()
    {
        for (unsigned pattern : {0x0Au, 0x12u, 0x14u, 0x24u}) {
            for (unsigned k = 0; k < 6; ++k) {
                if (pattern & (1u << k)) {
                    bytes[pattern] |= uint64_t(0xFF) << (8 * k);
                    yearStart[pattern] = uint8_t(k + 1);
                }
            }
        }
    }
};
inline constexpr SlashTable Slashes;

// The date at p of length n, given the digit mask from p. Dates differ
// from line to line in the lengths of their numbers, so nothing here
// branches on them: the tests are combined with & rather than taken one by
// one. Anything unusual (a signed year, a damaged field) goes to the exact
// check.
[[gnu::always_inline]] inline bool isDate(const char* p, size_t n, uint64_t digits)
{
    // "1/1/0001" to the longest date with a time the writer makes.
    if (n < 8 || n > 32)
        return isDateText({p, n});
    const bool timed = p[n - 1] == 'M';
    if (timed && n < 19)
        return isDateText({p, n});
    // " h:mm:ss AM": the last eight bytes "mm:ss AM", then the hour, one
    // digit or two, after a blank.
    const uint64_t tail = load64(p + n - 8);
    const uint64_t half = tail >> 48 & 0xFF;
    const bool clock = ((tail & 0xFF00FF0000FF0000ull) == 0x4D002000003A0000ull) &
                       ((half == 'A') | (half == 'P')) & digitBytes(tail, 0x000000FFFF00FFFFull);
    const bool twoDigitHour = isDigitByte(p[n - 11]);
    const size_t dateEnd = timed ? n - 11 - twoDigitHour : n;
    const bool hour = (p[n - 9] == ':') & isDigitByte(p[n - 10]) & (p[dateEnd] == ' ');
    // The date: slashes where the table allows them, digits everywhere else,
    // four of them at least in the year.
    const uint64_t separators = ~digits & ((uint64_t(1) << dateEnd) - 1);
    const uint64_t slashBytes = Slashes.bytes[separators & 63];
    const bool date = (separators < 64) & (slashBytes != 0) &
                      (Slashes.yearStart[separators & 63] + 4u <= dateEnd) &
                      (((load64(p) ^ 0x2F2F2F2F2F2F2F2Full) & slashBytes) == 0);
    if (date & (!timed || (clock & hour)))
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
