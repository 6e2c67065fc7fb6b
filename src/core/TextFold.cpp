#include "core/TextFold.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include <utf8proc.h>

namespace zephrix {
namespace {

constexpr std::array<unsigned char, 256> makeAsciiLower()
{
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return table;
}

constexpr std::array<unsigned char, 256> AsciiLower = makeAsciiLower();

inline unsigned char lowerByte(char c)
{
    return AsciiLower[static_cast<unsigned char>(c)];
}

char32_t computeFold(char32_t c)
{
    utf8proc_int32_t out[4];
    int lastBoundClass = 0;
    const utf8proc_ssize_t n =
        utf8proc_decompose_char(static_cast<utf8proc_int32_t>(c), out, 4, UTF8PROC_CASEFOLD, &lastBoundClass);
    if (n == 1)
        return static_cast<char32_t>(out[0]);
    // utf8proc knows only the full folding. Where that expands to several
    // code points the simple folding is the lower-case mapping (capital sharp
    // s, the Greek letters with prosgegrammeni), except for the dotted
    // capital I, which has no simple folding outside Turkish rules.
    if (c == 0x130)
        return c;
    return static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
}

// Every code point of the Basic Multilingual Plane folds inside that plane;
// a table for it keeps utf8proc out of the matching loop.
struct BmpFoldTable {
    std::unique_ptr<uint16_t[]> folds{new uint16_t[0x10000]};
    BmpFoldTable()
    {
        for (char32_t c = 0; c < 0x10000; ++c)
            folds[c] = (c >= 0xD800 && c < 0xE000) ? static_cast<uint16_t>(c)
                                                   : static_cast<uint16_t>(computeFold(c));
    }
};

const uint16_t* bmpFolds()
{
    static const BmpFoldTable table;
    return table.folds.get();
}

// Decodes one UTF-8 sequence at text[pos]; 0 when the bytes there are not a
// valid, shortest-form sequence of a scalar value.
size_t decodeUtf8(std::string_view text, size_t pos, char32_t& cp)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const size_t avail = text.size() - pos;
    const unsigned char b0 = s[0];
    auto cont = [&](size_t i) { return i < avail && (s[i] & 0xC0) == 0x80; };
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!cont(1))
            return 0;
        cp = (char32_t(b0 & 0x1F) << 6) | (s[1] & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!cont(1) || !cont(2))
            return 0;
        cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(s[1] & 0x3F) << 6) | (s[2] & 0x3F);
        if (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))
            return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3))
            return 0;
        cp = (char32_t(b0 & 0x07) << 18) | (char32_t(s[1] & 0x3F) << 12) | (char32_t(s[2] & 0x3F) << 6) |
             (s[3] & 0x3F);
        if (cp < 0x10000 || cp > 0x10FFFF)
            return 0;
        return 4;
    }
    return 0;
}

char* writeUtf8(char* o, char32_t cp)
{
    if (cp < 0x80) {
        *o++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *o++ = static_cast<char>(0xC0 | (cp >> 6));
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *o++ = static_cast<char>(0xE0 | (cp >> 12));
        *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | (cp >> 18));
        *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return o;
}

template <typename MapFn> void appendMapped(std::string& out, std::string_view text, MapFn map)
{
    for (size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(static_cast<char>(lowerByte(c)));
            ++pos;
            continue;
        }
        char32_t cp = 0;
        const size_t len = decodeUtf8(text, pos, cp);
        if (len == 0) {
            out.push_back(c);
            ++pos;
            continue;
        }
        char encoded[4];
        out.append(encoded, writeUtf8(encoded, map(cp)));
        pos += len;
    }
}

bool asciiEqualsLower(const char* text, const char* lower, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (lowerByte(text[i]) != static_cast<unsigned char>(lower[i]))
            return false;
    }
    return true;
}

} // namespace

char32_t foldCodePoint(char32_t c)
{
    if (c < 0x80)
        return lowerByte(static_cast<char>(c));
    if (c < 0x10000)
        return bmpFolds()[c];
    return computeFold(c);
}

bool isAsciiText(std::string_view text)
{
    const char* p = text.data();
    size_t n = text.size();
    uint64_t acc = 0;
    while (n >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        acc |= word;
        p += 8;
        n -= 8;
    }
    while (n > 0) {
        acc |= static_cast<unsigned char>(*p++);
        --n;
    }
    return (acc & 0x8080808080808080ULL) == 0;
}

size_t foldBytes(const char* in, size_t n, char* out)
{
    // The table takes a few milliseconds to build: only text that needs it
    // pays for it, so an ASCII search never does.
    const uint16_t* bmp = nullptr;
    const std::string_view text(in, n);
    char* o = out;
    size_t pos = 0;
    while (pos < n) {
        // Eight ASCII bytes at a time: set bit 5 of every byte in 'A'..'Z'.
        while (pos + 8 <= n) {
            uint64_t word;
            std::memcpy(&word, in + pos, 8);
            if (word & 0x8080808080808080ULL)
                break;
            const uint64_t aboveZ = word + 0x2525252525252525ULL; // high bit set for bytes > 'Z'
            const uint64_t fromA = word + 0x3F3F3F3F3F3F3F3FULL;  // high bit set for bytes >= 'A'
            const uint64_t upper = (fromA & ~aboveZ) & 0x8080808080808080ULL;
            word |= upper >> 2;
            std::memcpy(o, &word, 8);
            o += 8;
            pos += 8;
        }
        if (pos >= n)
            break;
        const unsigned char c = static_cast<unsigned char>(in[pos]);
        if (c < 0x80) {
            *o++ = static_cast<char>(AsciiLower[c]);
            ++pos;
            continue;
        }
        char32_t cp = 0;
        const size_t len = decodeUtf8(text, pos, cp);
        if (len == 0) {
            *o++ = static_cast<char>(c);
            ++pos;
            continue;
        }
        if (!bmp && cp < 0x10000)
            bmp = bmpFolds();
        o = writeUtf8(o, cp < 0x10000 ? char32_t(bmp[cp]) : computeFold(cp));
        pos += len;
    }
    return static_cast<size_t>(o - out);
}

void appendFolded(std::string& out, std::string_view text)
{
    const size_t start = out.size();
    out.resize(start + foldedCapacity(text.size()));
    out.resize(start + foldBytes(text.data(), text.size(), out.data() + start));
}

std::string foldText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendFolded(out, text);
    return out;
}

std::string lowerText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendMapped(out, text, [](char32_t cp) {
        return static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(cp)));
    });
    return out;
}

// The word-at-a-time scans take byte k of a word from memory offset k.
static_assert(std::endian::native == std::endian::little);

AsciiSearch findAsciiUntilOtherByte(std::string_view haystack, std::string_view lowerNeedle)
{
    const size_t m = lowerNeedle.size();
    const size_t n = haystack.size();
    if (m == 0)
        return AsciiSearch::Found;
    const char* h = haystack.data();
    const unsigned char first = static_cast<unsigned char>(lowerNeedle[0]);
    auto matchesAt = [&](size_t pos) {
        return pos + m <= n && asciiEqualsLower(h + pos + 1, lowerNeedle.data() + 1, m - 1);
    };
    constexpr uint64_t Ones = 0x0101010101010101ULL;
    constexpr uint64_t Highs = 0x8080808080808080ULL;
    constexpr uint64_t Lows = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t firstInEveryByte = Ones * first;
    // Eight bytes at a time: lower-case them, then mark the bytes equal to
    // the needle's first byte. A byte of 0x80 or more sends the caller to
    // the folding path, which also covers what was scanned so far.
    auto scanWord = [&](uint64_t word, size_t at, uint64_t keep) {
        if (word & Highs & keep)
            return AsciiSearch::OtherByte;
        const uint64_t upper = ((word + 0x3F3F3F3F3F3F3F3FULL) & ~(word + 0x2525252525252525ULL)) & Highs;
        const uint64_t diff = ((word & Lows) | (upper >> 2)) ^ firstInEveryByte;
        uint64_t equal = ~(diff + Lows) & Highs & keep; // exact: no byte of diff has its high bit set
        while (equal) {
            if (matchesAt(at + static_cast<size_t>(__builtin_ctzll(equal) >> 3)))
                return AsciiSearch::Found;
            equal &= equal - 1;
        }
        return AsciiSearch::Absent;
    };
    if (n < 8) {
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(h[i]);
            if (c >= 0x80)
                return AsciiSearch::OtherByte;
            if (AsciiLower[c] == first && matchesAt(i))
                return AsciiSearch::Found;
        }
        return AsciiSearch::Absent;
    }
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, h + i, 8);
        const AsciiSearch result = scanWord(word, i, ~uint64_t(0));
        if (result != AsciiSearch::Absent)
            return result;
    }
    if (i < n) {
        // The last eight bytes again, counting only those not yet scanned.
        uint64_t word;
        std::memcpy(&word, h + n - 8, 8);
        const unsigned seen = static_cast<unsigned>(8 - (n - i));
        const AsciiSearch result = scanWord(word, n - 8, ~uint64_t(0) << (8 * seen));
        if (result != AsciiSearch::Absent)
            return result;
    }
    return AsciiSearch::Absent;
}

size_t findAsciiIgnoringCase(std::string_view haystack, std::string_view lowerNeedle)
{
    const size_t m = lowerNeedle.size();
    const size_t n = haystack.size();
    if (m == 0)
        return 0;
    if (m > n)
        return std::string_view::npos;
    const unsigned char first = static_cast<unsigned char>(lowerNeedle[0]);
    const unsigned char last = static_cast<unsigned char>(lowerNeedle[m - 1]);
    const char* h = haystack.data();
    // Testing the last byte before the middle rejects most candidate starts
    // with two table lookups.
    for (size_t i = 0, end = n - m; i <= end; ++i) {
        if (lowerByte(h[i]) == first && lowerByte(h[i + m - 1]) == last &&
            asciiEqualsLower(h + i + 1, lowerNeedle.data() + 1, m > 2 ? m - 2 : 0))
            return i;
    }
    return std::string_view::npos;
}

bool hasFoldsFromOutsideAscii(std::string_view asciiFolded)
{
    // U+212A and U+017F: the only characters past ASCII whose simple
    // folding is ASCII (a test runs through every code point).
    return asciiFolded.find_first_of("ks") != std::string_view::npos;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return FoldedPattern(b).equals(a);
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle)
{
    return FoldedPattern(needle).isContainedIn(haystack);
}

void FoldedPattern::assign(std::string_view text)
{
    folded_.clear();
    appendFolded(folded_, text);
    asciiOnly_ = isAsciiText(folded_);
}

std::string_view FoldedPattern::foldedOther(std::string_view text) const
{
    scratch_.clear();
    appendFolded(scratch_, text);
    return scratch_;
}

bool FoldedPattern::isContainedIn(std::string_view text) const
{
    if (asciiOnly_) {
        switch (findAsciiUntilOtherByte(text, folded_)) {
        case AsciiSearch::Found:
            return true;
        case AsciiSearch::Absent:
            return false;
        case AsciiSearch::OtherByte:
            break;
        }
    } else if (isAsciiText(text)) {
        // ASCII only ever folds to ASCII, so a pattern with other bytes
        // cannot occur in it.
        return false;
    }
    const std::string_view other = foldedOther(text);
    return other.find(folded_) != std::string_view::npos;
}

bool FoldedPattern::equals(std::string_view text) const
{
    if (isAsciiText(text))
        return asciiOnly_ && text.size() == folded_.size() &&
               asciiEqualsLower(text.data(), folded_.data(), text.size());
    return foldedOther(text) == folded_;
}

bool FoldedPattern::isPrefixOf(std::string_view text) const
{
    if (isAsciiText(text))
        return asciiOnly_ && text.size() >= folded_.size() &&
               asciiEqualsLower(text.data(), folded_.data(), folded_.size());
    return foldedOther(text).starts_with(folded_);
}

bool FoldedPattern::isSuffixOf(std::string_view text) const
{
    if (isAsciiText(text))
        return asciiOnly_ && text.size() >= folded_.size() &&
               asciiEqualsLower(text.data() + text.size() - folded_.size(), folded_.data(), folded_.size());
    return foldedOther(text).ends_with(folded_);
}

} // namespace zephrix
