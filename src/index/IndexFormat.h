#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/DateText.h"
#include "core/DecimalText.h"
#include "index/IndexMode.h"

// The index pair on disk: file names, stems, line form, field order and the
// escaping of names. Builder, loader, age check and tests all go through here,
// so the writer and the readers cannot drift apart.
namespace zephrix::IndexFormat {

inline constexpr std::string_view EntriesSuffix = ".idx";
inline constexpr std::string_view FoldersSuffix = "paths.idx";
inline constexpr std::string_view FolderPairStem = "temp";
// The pair's lock file (see PairLock): the stem followed by this.
inline constexpr std::string_view LockSuffix = ".lock";

// Line form. The first line of both files is the build stamp (a date text);
// the folders file then has one folder text per line, the entries file one
// Name|FolderIndex|Size|Created|Modified line per file. Readers split lines
// at the line feed and drop a CR before it.
inline constexpr char FieldSeparator = '|';
inline constexpr char EscapeMark = '%';
inline constexpr char LineFeed = '\n';
inline constexpr char CarriageReturn = '\r';
inline constexpr std::string_view LineEnd = "\r\n";

// Escaping of names and folder texts: these four bytes are written as '%'
// and two upper-case hex digits (%25, %7C, %0D, %0A); every other byte is
// written as it is.
struct EscapedBytes {
    bool escaped[256] = {};
    constexpr EscapedBytes()
    {
        for (char c : {EscapeMark, FieldSeparator, CarriageReturn, LineFeed})
            escaped[static_cast<unsigned char>(c)] = true;
    }
};
inline constexpr EscapedBytes Escaped;
constexpr bool isEscapedByte(unsigned char byte)
{
    return Escaped.escaped[byte];
}

// The stem of a root's drive pair: the mount point escaped the way
// `systemd-escape --path` does ("/" gives "-", "/home/" gives "home"). A stem
// that would share a file name with the folder pair or with another root's
// folders file gets one more escape. No stem for a root that is not an
// absolute, normalisable path.
std::optional<std::string> stemOf(std::string_view root);

struct PairPaths {
    std::string entries;
    std::string folders;
    std::string lock;
};

// Full paths of the pair of root in indexesDir, and of its lock file. No
// value when a drive pair is asked for a stemless root.
std::optional<PairPaths> pairPaths(const std::string& indexesDir, std::string_view root, IndexMode mode);

// The first line of a file's text, without its line end: the build stamp.
std::string_view firstLine(std::string_view text);

// Decodes text in place; returns the decoded length, or no value when a '%'
// is not followed by one of the four escapes (hex digits in either case).
std::optional<size_t> decodeInPlace(char* text, size_t length);

// Line writers; each appends one whole line with its line end.
void appendStampLine(std::string& out, const LocalDateTime& stamp);
void appendFolderLine(std::string& out, std::string_view folderText);

// Writers straight into a buffer the caller has made room in, for the walk,
// which writes one line per file. Each returns the end of what it wrote.
constexpr size_t maxEscapedLength(size_t length)
{
    return length * 3;
}
constexpr size_t maxEntryLineLength(size_t nameLength)
{
    return maxEscapedLength(nameLength) + 2 * MaxDecimalLength + 2 * MaxDateTextLength + 4 + LineEnd.size();
}
char* writeEscaped(char* out, std::string_view text);
inline char* writeLineEnd(char* out)
{
    out[0] = LineEnd[0];
    out[1] = LineEnd[1];
    return out + 2;
}
char* writeEntryLine(char* out, std::string_view name, uint64_t folderIndex, uint64_t size,
                     const LocalDateTime& created, const LocalDateTime& modified);

} // namespace zephrix::IndexFormat
