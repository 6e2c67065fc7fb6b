#include "index/IndexFormat.h"

#include <cstring>
#include <vector>

#include "core/PathText.h"

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

std::optional<PairPaths> pairPaths(const std::string& indexesDir, std::string_view root, IndexMode mode)
{
    std::string stem;
    if (mode == IndexMode::Folder) {
        stem = FolderPairStem;
    } else {
        auto driveStem = stemOf(root);
        if (!driveStem)
            return std::nullopt;
        stem = std::move(*driveStem);
    }
    // An empty folder stands for the working folder.
    std::string base = indexesDir.empty() ? std::string() : withTrailingSlash(indexesDir);
    base += stem;
    PairPaths paths{base, base, base};
    paths.entries += EntriesSuffix;
    paths.folders += FoldersSuffix;
    paths.lock += LockSuffix;
    return paths;
}

std::string_view firstLine(std::string_view text)
{
    std::string_view line = text.substr(0, text.find(LineFeed));
    if (!line.empty() && line.back() == CarriageReturn)
        line.remove_suffix(1);
    return line;
}

std::optional<size_t> decodeInPlace(char* text, size_t length)
{
    char* mark = static_cast<char*>(std::memchr(text, EscapeMark, length));
    if (!mark)
        return length;
    size_t read = static_cast<size_t>(mark - text);
    size_t write = read;
    while (read < length) {
        const char c = text[read];
        if (c != EscapeMark) {
            text[write++] = c;
            ++read;
            continue;
        }
        if (length - read < 3)
            return std::nullopt;
        const int high = hexValue(text[read + 1]);
        const int low = hexValue(text[read + 2]);
        if (high < 0 || low < 0 || !isEscapedByte(static_cast<unsigned char>(high * 16 + low)))
            return std::nullopt;
        text[write++] = static_cast<char>(high * 16 + low);
        read += 3;
    }
    return write;
}

void appendStampLine(std::string& out, const LocalDateTime& stamp)
{
    appendDateText(out, stamp);
    out += LineEnd;
}

void appendFolderLine(std::string& out, std::string_view folderText)
{
    const size_t start = out.size();
    out.resize(start + maxEscapedLength(folderText.size()) + LineEnd.size());
    out.resize(size_t(writeLineEnd(writeEscaped(out.data() + start, folderText)) - out.data()));
}

namespace {

// Whether any of 8 bytes is one of the four escaped bytes: the classic
// zero-byte test on the word xored with each of them.
inline bool wordNeedsEscape(uint64_t word)
{
    constexpr uint64_t ones = 0x0101010101010101ull;
    constexpr uint64_t highs = 0x8080808080808080ull;
    auto hasZero = [](uint64_t v) { return (v - ones) & ~v & highs; };
    return hasZero(word ^ (ones * uint8_t(EscapeMark))) | hasZero(word ^ (ones * uint8_t(FieldSeparator))) |
           hasZero(word ^ (ones * uint8_t(CarriageReturn))) | hasZero(word ^ (ones * uint8_t(LineFeed)));
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
        if (!isEscapedByte(byte)) {
            *out++ = *in;
            continue;
        }
        out[0] = EscapeMark;
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
    return writeLineEnd(out);
}

} // namespace zephrix::IndexFormat
