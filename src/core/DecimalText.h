#pragma once
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// Whole numbers as the program stores and shows them: plain decimal digits,
// no sign, no blanks, no grouping. The writers are inline because the walk
// writes several numbers per file.
namespace zephrix {

inline constexpr size_t MaxDecimalLength = 20; // UINT64_MAX

namespace decimaltext {
inline constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "4041424344454647484950515253545556575859606162636465666768697071727374757677787980"
    "81828384858687888990919293949596979899";
} // namespace decimaltext

// Two digits for 0..99, with a zero in front below 10.
inline char* writeTwoDigits(char* out, unsigned value)
{
    std::memcpy(out, decimaltext::DigitPairs + value * 2, 2);
    return out + 2;
}

// The digits of value at out; returns their end. Room for MaxDecimalLength.
inline char* writeDecimal(char* out, uint64_t value)
{
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    if (value < 100)
        return writeTwoDigits(out, static_cast<unsigned>(value));
    return std::to_chars(out, out + MaxDecimalLength, value).ptr;
}

inline void appendDecimal(std::string& out, uint64_t value)
{
    char digits[MaxDecimalLength];
    out.append(digits, writeDecimal(digits, value));
}

std::optional<uint64_t> parseLongDecimal(std::string_view text, uint64_t max);

// Reads a number written that way: one or more digits (leading zeros
// allowed) and nothing else, at most max. No value for empty text, any other
// character, or a larger number. Inline, since the matcher reads a size
// with it for every entry a size class applies to.
inline std::optional<uint64_t> parseDecimal(std::string_view text, uint64_t max = UINT64_MAX)
{
    // Nineteen digits cannot pass 64 bits, so the usual short field needs no
    // overflow check.
    constexpr size_t NoOverflowDigits = 19;
    if (text.empty() || text.size() > NoOverflowDigits)
        return parseLongDecimal(text, max);
    uint64_t value = 0;
    for (const char c : text) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned('0');
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (value > max)
        return std::nullopt;
    return value;
}

} // namespace zephrix
