#include "index/IndexFormat.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace zephrix::IndexFormat {
namespace {

constexpr char HexDigits[] = "0123456789abcdef";

bool isStemChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == '_' || c == '.';
}

void appendHexEscape(std::string& out, unsigned char c)
{
    out += "\\x";
    out.push_back(HexDigits[c >> 4]);
    out.push_back(HexDigits[c & 15]);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isEscapedByte(int value)
{
    return value == '%' || value == '|' || value == '\r' || value == '\n';
}

void appendNumber(std::string& out, uint64_t value)
{
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

} // namespace

std::optional<std::string> stemOf(std::string_view root)
{
    if (root.empty() || root.front() != '/')
        return std::nullopt;

    // The components of the path with "//" and "." left out, as systemd
    // simplifies a path before escaping it; ".." cannot be escaped reversibly.
    std::vector<std::string_view> parts;
    size_t pos = 0;
    while (pos < root.size()) {
        size_t end = root.find('/', pos);
        if (end == std::string_view::npos)
            end = root.size();
        const std::string_view part = root.substr(pos, end - pos);
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".")
            parts.push_back(part);
        pos = end + 1;
    }
    if (parts.empty())
        return std::string("-");

    std::string stem;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            stem.push_back('-');
        const std::string_view part = parts[i];
        for (size_t j = 0; j < part.size(); ++j) {
            const auto c = static_cast<unsigned char>(part[j]);
            // A leading dot would make a hidden unit name; systemd escapes it.
            const bool leadingDot = i == 0 && j == 0 && c == '.';
            if (isStemChar(c) && !leadingDot)
                stem.push_back(static_cast<char>(c));
            else
                appendHexEscape(stem, c);
        }
    }

    // "temp" would be the folder pair's entries file, and a stem S + "paths"
    // would write over the folders file of stem S ("/home/" and "/homepaths/").
    // systemd never escapes these letters, so the escaped forms are unique.
    if (stem == FolderPairStem)
        return std::string("\\x74emp");
    constexpr std::string_view paths = "paths";
    if (stem.size() >= paths.size() && stem.compare(stem.size() - paths.size(), paths.size(), paths) == 0)
        stem.replace(stem.size() - paths.size(), 1, "\\x70");
    return stem;
}

std::optional<PairPaths> pairPaths(const std::string& indexesDir, std::string_view root, int mode)
{
    std::string stem;
    if (mode == 1) {
        stem = FolderPairStem;
    } else {
        auto driveStem = stemOf(root);
        if (!driveStem)
            return std::nullopt;
        stem = std::move(*driveStem);
    }
    std::string base = indexesDir;
    if (!base.empty() && base.back() != '/')
        base.push_back('/');
    base += stem;
    PairPaths paths{base, base};
    paths.entries += EntriesSuffix;
    paths.folders += FoldersSuffix;
    return paths;
}

bool needsEscape(std::string_view text)
{
    for (char c : text) {
        if (isEscapedByte(static_cast<unsigned char>(c)))
            return true;
    }
    return false;
}

void appendEscaped(std::string& out, std::string_view text)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!isEscapedByte(c))
            continue;
        out.append(text.data() + start, i - start);
        out.push_back('%');
        out.push_back("0123456789ABCDEF"[c >> 4]);
        out.push_back("0123456789ABCDEF"[c & 15]);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

std::optional<size_t> decodeInPlace(char* text, size_t length)
{
    char* percent = static_cast<char*>(std::memchr(text, '%', length));
    if (!percent)
        return length;
    size_t read = static_cast<size_t>(percent - text);
    size_t write = read;
    while (read < length) {
        const char c = text[read];
        if (c != '%') {
            text[write++] = c;
            ++read;
            continue;
        }
        if (length - read < 3)
            return std::nullopt;
        const int high = hexValue(text[read + 1]);
        const int low = hexValue(text[read + 2]);
        if (high < 0 || low < 0 || !isEscapedByte(high * 16 + low))
            return std::nullopt;
        text[write++] = static_cast<char>(high * 16 + low);
        read += 3;
    }
    return write;
}

std::optional<std::string> decoded(std::string_view text)
{
    std::string out(text);
    auto length = decodeInPlace(out.data(), out.size());
    if (!length)
        return std::nullopt;
    out.resize(*length);
    return out;
}

void appendStampLine(std::string& out, const LocalDateTime& stamp)
{
    appendDateText(out, stamp);
    out += LineEnd;
}

void appendFolderLine(std::string& out, std::string_view folderText)
{
    appendEscaped(out, folderText);
    out += LineEnd;
}

void appendEntryHead(std::string& out, std::string_view name, uint64_t folderIndex, uint64_t size)
{
    appendEscaped(out, name);
    out.push_back(FieldSeparator);
    appendNumber(out, folderIndex);
    out.push_back(FieldSeparator);
    appendNumber(out, size);
    out.push_back(FieldSeparator);
}

void appendEntryLine(std::string& out, std::string_view name, uint64_t folderIndex, uint64_t size,
                     const LocalDateTime& created, const LocalDateTime& modified)
{
    appendEntryHead(out, name, folderIndex, size);
    appendDateText(out, created);
    out.push_back(FieldSeparator);
    appendDateText(out, modified);
    out += LineEnd;
}

namespace {

// Bytes that are written as an escape: '%', '|', CR, LF.
struct EscapeTable {
    bool escaped[256] = {};
    constexpr EscapeTable()
    {
        escaped[static_cast<unsigned char>('%')] = true;
        escaped[static_cast<unsigned char>('|')] = true;
        escaped[static_cast<unsigned char>('\r')] = true;
        escaped[static_cast<unsigned char>('\n')] = true;
    }
};
constexpr EscapeTable Escapes;

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "4041424344454647484950515253545556575859606162636465666768697071727374757677787980"
    "81828384858687888990919293949596979899";

// 0..99 with at least minDigits digits (1 or 2).
inline char* writeSmall(char* out, int value, int minDigits)
{
    if (value < 10 && minDigits < 2) {
        *out++ = static_cast<char>('0' + value);
        return out;
    }
    out[0] = DigitPairs[value * 2];
    out[1] = DigitPairs[value * 2 + 1];
    return out + 2;
}

inline char* writeSigned(char* out, int value, int minDigits)
{
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    for (int pad = minDigits - static_cast<int>(end - digits); pad > 0; --pad)
        *out++ = '0';
    std::memcpy(out, digits, size_t(end - digits));
    return out + (end - digits);
}

} // namespace

namespace {

// Whether any of 8 bytes is '%', '|', CR or LF: the classic zero-byte test
// on the word xored with each of them.
inline bool wordNeedsEscape(uint64_t word)
{
    constexpr uint64_t ones = 0x0101010101010101ull;
    constexpr uint64_t highs = 0x8080808080808080ull;
    auto hasZero = [](uint64_t v) { return (v - ones) & ~v & highs; };
    return hasZero(word ^ (ones * '%')) | hasZero(word ^ (ones * '|')) | hasZero(word ^ (ones * '\r')) |
           hasZero(word ^ (ones * '\n'));
}

} // namespace

char* writeEscaped(char* out, std::string_view text)
{
    // Names almost never hold one of the four bytes: copy eight at a time
    // until a word holds one, then go byte by byte.
    const char* in = text.data();
    size_t left = text.size();
    while (left >= 8) {
        uint64_t word;
        std::memcpy(&word, in, 8);
        if (wordNeedsEscape(word))
            break;
        std::memcpy(out, &word, 8);
        in += 8;
        out += 8;
        left -= 8;
    }
    for (; left > 0; ++in, --left) {
        const auto byte = static_cast<unsigned char>(*in);
        if (!Escapes.escaped[byte]) {
            *out++ = *in;
            continue;
        }
        out[0] = '%';
        out[1] = "0123456789ABCDEF"[byte >> 4];
        out[2] = "0123456789ABCDEF"[byte & 15];
        out += 3;
    }
    return out;
}

char* writeDecimal(char* out, uint64_t value)
{
    if (value < 100)
        return writeSmall(out, static_cast<int>(value), 1);
    auto [end, ec] = std::to_chars(out, out + 20, value);
    return end;
}

char* writeDateText(char* out, const LocalDateTime& when)
{
    const bool small = when.month >= 0 && when.month < 100 && when.day >= 0 && when.day < 100;
    if (!small || when.year < 1000 || when.year > 9999 || when.hour < 0 || when.hour > 23 ||
        when.minute < 0 || when.minute > 59 || when.second < 0 || when.second > 59) {
        // Out of the usual range: the general form, digit for digit.
        out = writeSigned(out, when.month, 1);
        *out++ = '/';
        out = writeSigned(out, when.day, 1);
        *out++ = '/';
        out = writeSigned(out, when.year, 4);
        if (when.hour == 0 && when.minute == 0 && when.second == 0)
            return out;
        *out++ = ' ';
        const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
        out = writeSigned(out, hour12, 1);
        *out++ = ':';
        out = writeSigned(out, when.minute, 2);
        *out++ = ':';
        out = writeSigned(out, when.second, 2);
        std::memcpy(out, when.hour < 12 ? " AM" : " PM", 3);
        return out + 3;
    }
    out = writeSmall(out, when.month, 1);
    *out++ = '/';
    out = writeSmall(out, when.day, 1);
    *out++ = '/';
    out = writeSmall(out, when.year / 100, 2);
    out = writeSmall(out, when.year % 100, 2);
    if (when.hour == 0 && when.minute == 0 && when.second == 0)
        return out;
    *out++ = ' ';
    out = writeSmall(out, when.hour % 12 == 0 ? 12 : when.hour % 12, 1);
    *out++ = ':';
    out = writeSmall(out, when.minute, 2);
    *out++ = ':';
    out = writeSmall(out, when.second, 2);
    std::memcpy(out, when.hour < 12 ? " AM" : " PM", 3);
    return out + 3;
}

char* writeEntryLine(char* out, std::string_view name, uint64_t folderIndex, uint64_t size,
                     const LocalDateTime& created, const LocalDateTime& modified)
{
    out = writeEscaped(out, name);
    *out++ = FieldSeparator;
    out = writeDecimal(out, folderIndex);
    *out++ = FieldSeparator;
    out = writeDecimal(out, size);
    *out++ = FieldSeparator;
    out = writeDateText(out, created);
    *out++ = FieldSeparator;
    out = writeDateText(out, modified);
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
}

std::optional<uint64_t> parseDecimal(std::string_view text, uint64_t max)
{
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

bool splitEntryLine(std::string_view line, std::string_view (&fields)[EntryFieldCount])
{
    const char* pos = line.data();
    const char* const end = line.data() + line.size();
    for (int i = 0; i < EntryFieldCount - 1; ++i) {
        const char* bar = static_cast<const char*>(std::memchr(pos, FieldSeparator, size_t(end - pos)));
        if (!bar)
            return false;
        fields[i] = std::string_view(pos, size_t(bar - pos));
        pos = bar + 1;
    }
    const char* bar = static_cast<const char*>(std::memchr(pos, FieldSeparator, size_t(end - pos)));
    fields[EntryFieldCount - 1] = std::string_view(pos, size_t((bar ? bar : end) - pos));
    return true;
}

} // namespace zephrix::IndexFormat
