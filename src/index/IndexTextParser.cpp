#include "index/IndexTextParser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "index/IndexFormat.h"
#include "index/SeparatorScan.h"
#include "index/StoredFieldShape.h"

namespace zephrix {
namespace {

// A FolderIndex field: one to twenty digits (leading zeros allowed, but no
// more digits than the longest number the writer makes) whose value fits 32
// bits. Any other text is refused the same way. Eight bytes past `digits`
// must be readable (the entries text is padded).
bool parseFolderNumber(const char* digits, const char* end, uint32_t& value)
{
    const size_t count = size_t(end - digits);
    if (count - 1 < 8) {
        // Up to eight digits at once: shifted to the top of a word, with '0'
        // below them, then checked and summed in place.
        constexpr uint64_t Zeros = 0x3030303030303030ull;
        constexpr uint64_t HighNibbles = 0xF0F0F0F0F0F0F0F0ull;
        uint64_t word;
        std::memcpy(&word, digits, 8);
        const unsigned shift = unsigned(8 - count) * 8;
        word = (word << shift) | (Zeros & ~(~uint64_t(0) << shift));
        // A digit is 0x30 to 0x39: high nibble 3, and still 3 after adding 6.
        if ((word & HighNibbles) != Zeros || ((word + 0x0606060606060606ull) & HighNibbles) != Zeros)
            return false;
        word -= Zeros;
        word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFull;
        word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFull;
        value = static_cast<uint32_t>(word * 10000 + (word >> 32));
        return true;
    }
    if (count == 0 || count > MaxDecimalLength)
        return false;
    const auto number = parseDecimal(std::string_view(digits, count), UINT32_MAX);
    if (!number)
        return false;
    value = static_cast<uint32_t>(*number);
    return true;
}

// The sizes of the fixed copies of a name into the name text and of a
// line's details down the entries text; the entries text has at least this
// much padding.
constexpr size_t NameCopyBlock = 32;
constexpr size_t DetailsCopyBlock = 64;
static_assert(NameCopyBlock <= LoadedIndex::NamePadding && DetailsCopyBlock <= LoadedIndex::NamePadding);

using IndexFormat::CarriageReturn;
using IndexFormat::EscapeMark;
using IndexFormat::FieldSeparator;
using IndexFormat::LineFeed;

// Where the fields of one entries line end.
struct LineFields {
    const char* nameEnd;
    const char* folderEnd;
    const char* sizeEnd;
    const char* createdEnd;
    const char* modifiedEnd; // without the CR of the line end
    const char* lineFeed;    // or the end of the text
    bool escaped;            // the name holds an escape mark
};

// Splits any line: escapes in the name, fields past the fifth, a missing
// line feed at the end of the text. False when the line has fewer than five
// fields.
bool splitLine(const char* line, const char* end, LineFields& fields)
{
    SeparatorScan scan(line, end);
    auto isBar = [end](const char* p) { return p != end && *p == FieldSeparator; };
    // The end of a field other than the name, where an escape mark is only
    // text.
    auto fieldEnd = [&] {
        const char* p = scan.next();
        while (p != end && *p == EscapeMark)
            p = scan.next();
        return p;
    };
    fields.escaped = false;
    fields.nameEnd = scan.next();
    while (fields.nameEnd != end && *fields.nameEnd == EscapeMark) {
        fields.escaped = true;
        fields.nameEnd = scan.next();
    }
    if (!isBar(fields.nameEnd))
        return false;
    fields.folderEnd = fieldEnd();
    if (!isBar(fields.folderEnd))
        return false;
    fields.sizeEnd = fieldEnd();
    if (!isBar(fields.sizeEnd))
        return false;
    fields.createdEnd = fieldEnd();
    if (!isBar(fields.createdEnd))
        return false;
    // The fifth field ends at a further separator (what follows it is
    // dropped) or at the line end, without its CR.
    fields.modifiedEnd = fieldEnd();
    fields.lineFeed = fields.modifiedEnd;
    if (isBar(fields.modifiedEnd)) {
        do
            fields.lineFeed = scan.next();
        while (fields.lineFeed != end && *fields.lineFeed != LineFeed);
    } else if (fields.modifiedEnd[-1] == CarriageReturn) {
        --fields.modifiedEnd; // never the bar before the field, which is no CR
    }
    return true;
}

} // namespace

bool EntryLineParser::parse(size_t from, size_t to)
{
    using Record = LoadedIndex::Impl::Record;
    constexpr size_t MaxField = LoadedIndex::Impl::MaxFieldOffset;
    // The counters live in registers while the loop runs and go back to the
    // members before anything that may look at them.
    size_t lineNumber = lineNumber_;
    int untilYield = untilYield_;
    uint32_t largestFolder = largestFolder_;
    size_t count = loaded_.recordCount;
    size_t namesSize = loaded_.nameTextSize;
    size_t detailsEnd = loaded_.detailsEnd;
    auto store = [&] {
        lineNumber_ = lineNumber;
        untilYield_ = untilYield;
        largestFolder_ = largestFolder;
        loaded_.recordCount = count;
        loaded_.nameTextSize = namesSize;
        loaded_.detailsEnd = detailsEnd;
    };
    auto fail = [&](const char* what) {
        store();
        lineNumber_ = lineNumber;
        problem_ = what;
        return false;
    };
    // A stored line is at least six bytes with its line feed, so this is
    // room for every line of the piece and the loop needs no check.
    // A piece's names take no more room than its lines.
    if (!loaded_.roomForRecords(loaded_.recordCount + (to - from) / 6 + 1) ||
        !loaded_.roomForNames(loaded_.nameTextSize + (to - from) + NameCopyBlock)) {
        memoryError_ = errno;
        return fail("could not be stored");
    }
    char* const names = loaded_.nameText.data();
    char* const text = loaded_.entriesText.data();
    Record* const records = loaded_.records();
    char* line = text + from;
    const char* const end = text + to;

    SeparatorScan scan(line, end);
    LineFields fields;
    while (line < end) {
        ++lineNumber;
        // Nearly every line is four separators and a line feed, with no
        // escape mark.
        const char* p0 = scan.next();
        const char* p1 = scan.next();
        const char* p2 = scan.next();
        const char* p3 = scan.next();
        const char* p4 = scan.next();
        if (p4 != end && ((*p0 ^ FieldSeparator) | (*p1 ^ FieldSeparator) | (*p2 ^ FieldSeparator) |
                          (*p3 ^ FieldSeparator) | (*p4 ^ LineFeed)) == 0) {
            fields = {p0, p1, p2, p3, p4 - (p4[-1] == CarriageReturn ? 1 : 0), p4, false};
        } else {
            if (!splitLine(line, end, fields))
                return fail("has fewer than five fields");
            // Go on from the next line; the scan of this one went elsewhere.
            scan = SeparatorScan(fields.lineFeed + (fields.lineFeed != end ? 1 : 0), end);
        }

        uint32_t folderIndex = 0;
        if (!parseFolderNumber(fields.nameEnd + 1, fields.folderEnd, folderIndex))
            return fail("has a folder number that is not a number");
        const size_t sizeOffset = size_t(fields.folderEnd + 1 - line);
        const size_t sizeLength = size_t(fields.sizeEnd - (fields.folderEnd + 1));
        const size_t createdLength = size_t(fields.createdEnd - (fields.sizeEnd + 1));
        const size_t modifiedLength = size_t(fields.modifiedEnd - (fields.createdEnd + 1));
        if ((sizeOffset | sizeLength | createdLength | modifiedLength) > MaxField)
            return fail("is too long");
        size_t nameLength = size_t(fields.nameEnd - line);
        if (fields.escaped) {
            const auto decodedLength = IndexFormat::decodeInPlace(line, nameLength);
            if (!decodedLength)
                return fail("has an invalid escape in its name");
            nameLength = *decodedLength;
        }

        // A damaged file is refused rather than shown as rows with made-up
        // sizes and dates.
        const StoredFieldShape::Details details =
            StoredFieldShape::checkDetails(fields.folderEnd + 1, sizeLength, createdLength, modifiedLength);
        if (details != StoredFieldShape::Details::Fine)
            return fail(details == StoredFieldShape::Details::BadSize ? "has a size that is not a number"
                                                                      : "has a date that is not a date");

        // Nearly every name fits one fixed-size copy, which beats a call
        // sized to the name; the text and the name text are padded for it.
        if (nameLength <= NameCopyBlock)
            std::memcpy(names + namesSize, line, NameCopyBlock);
        else
            std::memcpy(names + namesSize, line, nameLength);
        names[namesSize + nameLength] = '\0';
        if (nameLength == 0)
            loaded_.namedRows = std::min(loaded_.namedRows, count);

        // The size and dates go down to follow the last line's. Nearly always
        // as one fixed-size copy, where the copy cannot reach them.
        const char* const detailsStart = fields.folderEnd + 1;
        const size_t detailsLength = size_t(fields.modifiedEnd - detailsStart);
        char* const detailsTo = text + detailsEnd;
        if (detailsLength <= DetailsCopyBlock && size_t(detailsStart - detailsTo) >= DetailsCopyBlock)
            std::memcpy(detailsTo, detailsStart, DetailsCopyBlock);
        else
            std::memmove(detailsTo, detailsStart, detailsLength);

        records[count++] = Record{.detailsLow = static_cast<uint32_t>(detailsEnd),
                                  .detailsHigh = static_cast<uint16_t>(detailsEnd >> 32),
                                  .nameLength = static_cast<uint16_t>(nameLength),
                                  .nameLow = static_cast<uint32_t>(namesSize),
                                  .nameHigh = static_cast<uint16_t>(namesSize >> 32),
                                  .sizeLength = static_cast<uint16_t>(sizeLength),
                                  .folderIndex = folderIndex,
                                  .createdLength = static_cast<uint16_t>(createdLength),
                                  .modifiedLength = static_cast<uint16_t>(modifiedLength)};
        namesSize += nameLength + 1;
        detailsEnd += detailsLength;
        largestFolder = std::max(largestFolder, folderIndex);
        if (--untilYield == 0) {
            untilYield = YieldEveryLines;
            store();
            if (yield_)
                yield_();
        }
        line += (fields.lineFeed - line) + (fields.lineFeed != end ? 1 : 0);
    }
    store();
    return true;
}

bool parseFolderLines(LoadedIndex::Impl& loaded, const std::function<void()>& yield, size_t& failedLine)
{
    char* const text = loaded.foldersText.data();
    const char* const end = text + loaded.foldersTextSize;
    char* const lineFeed = static_cast<char*>(std::memchr(text, LineFeed, loaded.foldersTextSize));
    if (!lineFeed)
        return true; // the stamp alone, or nothing
    char* line = lineFeed + 1;
    const size_t lines = countLineFeeds(line, end) + 1;
    if (!loaded.folderPages.reserve(lines * sizeof(std::string_view)) ||
        !loaded.folderPages.commit(lines * sizeof(std::string_view))) {
        failedLine = 0;
        return false;
    }
    auto* const folders = reinterpret_cast<std::string_view*>(loaded.folderPages.data());

    SeparatorScan scan(line, end);
    size_t lineNumber = 1;
    int untilYield = EntryLineParser::YieldEveryLines;
    while (line < end) {
        ++lineNumber;
        // The field separator is only text here; an escape mark marks a
        // line that needs decoding.
        bool escaped = false;
        const char* lineEnd = scan.next();
        while (lineEnd != end && *lineEnd != LineFeed) {
            escaped |= *lineEnd == EscapeMark;
            lineEnd = scan.next();
        }
        const size_t next = size_t(lineEnd - line) + (lineEnd != end ? 1 : 0);
        if (lineEnd > line && lineEnd[-1] == CarriageReturn)
            --lineEnd;
        size_t length = size_t(lineEnd - line);
        if (escaped) {
            const auto decodedLength = IndexFormat::decodeInPlace(line, length);
            if (!decodedLength) {
                failedLine = lineNumber;
                return false;
            }
            length = *decodedLength;
        }
        folders[loaded.folderCount++] = std::string_view(line, length);
        if (--untilYield == 0) {
            untilYield = EntryLineParser::YieldEveryLines;
            if (yield)
                yield();
        }
        line += next;
    }
    return true;
}

} // namespace zephrix
