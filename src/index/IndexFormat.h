#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/DateText.h"
#include "core/DecimalText.h"

// The index pair on disk: file names, stems, line form, field order and the
// escaping of names. Builder, loader, age check and tests all go through here,
// so the writer and the readers cannot drift apart.
namespace zephrix::IndexFormat {

inline constexpr std::string_view EntriesSuffix = ".idx";
inline constexpr std::string_view FoldersSuffix = "paths.idx";
inline constexpr std::string_view FolderPairStem = "temp";
inline constexpr char FieldSeparator = '|';
inline constexpr std::string_view LineEnd = "\r\n";

// Field positions of an entries line.
enum EntryField { NameField = 0, FolderIndexField, SizeField, CreatedField, ModifiedField, EntryFieldCount };

// The stem of a root's drive pair: the mount point escaped the way
// `systemd-escape --path` does ("/" gives "-", "/home/" gives "home"). A stem
// that would share a file name with the folder pair or with another root's
// folders file gets one more escape. No stem for a root that is not an
// absolute, normalisable path.
std::optional<std::string> stemOf(std::string_view root);

struct PairPaths {
    std::string entries;
    std::string folders;
};

// Full paths of the pair of root in indexesDir; mode 0 the drive pair, mode 1
// the folder pair. No value when a drive pair is asked for a stemless root.
std::optional<PairPaths> pairPaths(const std::string& indexesDir, std::string_view root, int mode);

// Escaping of names and folder texts: '%', '|', CR and LF become %25, %7C,
// %0D and %0A; every other byte is written as it is.
bool needsEscape(std::string_view text);
void appendEscaped(std::string& out, std::string_view text);
std::string escaped(std::string_view text);

// Decodes text in place; returns the decoded length, or no value when a '%'
// is not followed by one of the four escapes (hex digits in either case).
std::optional<size_t> decodeInPlace(char* text, size_t length);
std::optional<std::string> decoded(std::string_view text);

// Line writers; each appends one whole line with its line end.
void appendStampLine(std::string& out, const LocalDateTime& stamp);
void appendFolderLine(std::string& out, std::string_view folderText);
// Entry line without the dates' line end, for callers that format the dates
// themselves: Name|FolderIndex|Size|
void appendEntryHead(std::string& out, std::string_view name, uint64_t folderIndex, uint64_t size);
void appendEntryLine(std::string& out, std::string_view name, uint64_t folderIndex, uint64_t size,
                     const LocalDateTime& created, const LocalDateTime& modified);

// The same lines written straight into a buffer the caller has made room in,
// for the walk, which writes one per file. Each returns the end of what it
// wrote.
constexpr size_t maxEntryLineLength(size_t nameLength)
{
    return nameLength * 3 + 2 * MaxDecimalLength + 2 * MaxDateTextLength + 4 + 2;
}
char* writeEscaped(char* out, std::string_view text);
char* writeEntryLine(char* out, std::string_view name, uint64_t folderIndex, uint64_t size,
                     const LocalDateTime& created, const LocalDateTime& modified);

// Reads an unsigned decimal with no sign, blank or leading '+'; no value when
// the text is empty, not all digits, or larger than max.
std::optional<uint64_t> parseDecimal(std::string_view text, uint64_t max);

// Splits a line (without its line end) at '|' into exactly five fields; extra
// separators stay in nothing (the fields past the fifth are dropped). False
// when the line has fewer than five fields.
bool splitEntryLine(std::string_view line, std::string_view (&fields)[EntryFieldCount]);

} // namespace zephrix::IndexFormat
