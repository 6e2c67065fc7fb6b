#include "index/IndexFormat.h"

#include "core/DecimalText.h"

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
    appendDecimal(out, folderIndex);
    out.push_back(FieldSeparator);
    appendDecimal(out, size);
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
