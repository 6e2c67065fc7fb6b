#include "index/IndexLoader.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include "core/DateText.h"
#include "core/EngineError.h"
#include "core/ErrorCodes.h"
#include "index/IndexFormat.h"
#include "index/LoadedIndexImpl.h"
#include "index/WholeFile.h"

namespace zephrix {

// Swaps a finished load into the index without exposing its layout.
class IndexLoader {
  public:
    static void install(LoadedIndex& index, std::unique_ptr<LoadedIndex::Impl> loaded)
    {
        delete index.impl_;
        index.impl_ = loaded.release();
    }
};

namespace {

constexpr int YieldEveryLines = 1000;

struct LoadFailure {
    int number = 0;
    std::string description;
};

// The line after the stamp; nullptr when the text holds no line end at all
// (then it holds the stamp alone, or nothing).
char* afterFirstLine(char* text, size_t size)
{
    char* lineFeed = static_cast<char*>(std::memchr(text, '\n', size));
    return lineFeed ? lineFeed + 1 : nullptr;
}

LoadFailure formatFailure(const std::string& path, size_t lineNumber, const char* what)
{
    return {ErrorNumbers::BadIndexFormat,
            "Bad index file: line " + std::to_string(lineNumber) + " of " + path + " " + what};
}

// Parses the entry lines in place. Each line becomes one record; the name is
// decoded where it stands, the other fields are only located.
bool parseEntries(IndexContext& ctx, LoadedIndex::Impl& loaded, const std::string& path, LoadFailure& failure)
{
    char* const text = loaded.entriesText.get();
    char* const end = text + loaded.entriesTextSize;
    char* line = afterFirstLine(text, loaded.entriesTextSize);
    if (!line)
        return true;

    // Counting the lines first sizes the table exactly; memchr over the
    // buffer costs far less than growing a table of this size.
    size_t lines = 0;
    for (const char* p = line; p < end; ++lines) {
        const char* lineFeed = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        p = lineFeed ? lineFeed + 1 : end;
    }
    loaded.records.reserve(lines);
    adviseHugePages(loaded.records.data(), lines * sizeof(LoadedIndex::Impl::Record));

    size_t lineNumber = 1;
    while (line < end) {
        ++lineNumber;
        char* lineFeed = static_cast<char*>(std::memchr(line, '\n', size_t(end - line)));
        char* next = lineFeed ? lineFeed + 1 : end;
        char* lineEnd = lineFeed ? lineFeed : end;
        if (lineEnd > line && lineEnd[-1] == '\r')
            --lineEnd;

        std::string_view fields[IndexFormat::EntryFieldCount];
        if (!IndexFormat::splitEntryLine(std::string_view(line, size_t(lineEnd - line)), fields)) {
            failure = formatFailure(path, lineNumber, "has fewer than five fields");
            return false;
        }
        const auto folderIndex = IndexFormat::parseDecimal(fields[IndexFormat::FolderIndexField], UINT32_MAX);
        if (!folderIndex) {
            failure = formatFailure(path, lineNumber, "has a folder number that is not a number");
            return false;
        }
        const size_t sizeOffset = size_t(fields[IndexFormat::SizeField].data() - line);
        if (sizeOffset > LoadedIndex::Impl::MaxFieldOffset ||
            fields[IndexFormat::SizeField].size() > LoadedIndex::Impl::MaxFieldOffset ||
            fields[IndexFormat::CreatedField].size() > LoadedIndex::Impl::MaxFieldOffset ||
            fields[IndexFormat::ModifiedField].size() > LoadedIndex::Impl::MaxFieldOffset) {
            failure = formatFailure(path, lineNumber, "is too long");
            return false;
        }
        const auto nameLength = IndexFormat::decodeInPlace(line, fields[IndexFormat::NameField].size());
        if (!nameLength) {
            failure = formatFailure(path, lineNumber, "has an invalid escape in its name");
            return false;
        }

        LoadedIndex::Impl::Record record;
        record.name = line;
        record.folderIndex = static_cast<uint32_t>(*folderIndex);
        record.nameLength = static_cast<uint16_t>(*nameLength);
        record.sizeOffset = static_cast<uint16_t>(sizeOffset);
        record.sizeLength = static_cast<uint16_t>(fields[IndexFormat::SizeField].size());
        record.createdLength = static_cast<uint16_t>(fields[IndexFormat::CreatedField].size());
        record.modifiedLength = static_cast<uint16_t>(fields[IndexFormat::ModifiedField].size());
        record.completed = 0;
        loaded.records.push_back(record);
        if (loaded.records.size() % YieldEveryLines == 0)
            ctx.yield();
        line = next;
    }
    return true;
}

bool parseFolders(IndexContext& ctx, LoadedIndex::Impl& loaded, const std::string& path, LoadFailure& failure)
{
    char* const text = loaded.foldersText.get();
    char* const end = text + loaded.foldersTextSize;
    char* line = afterFirstLine(text, loaded.foldersTextSize);
    if (!line)
        return true;

    size_t lineNumber = 1;
    while (line < end) {
        ++lineNumber;
        char* lineFeed = static_cast<char*>(std::memchr(line, '\n', size_t(end - line)));
        char* next = lineFeed ? lineFeed + 1 : end;
        char* lineEnd = lineFeed ? lineFeed : end;
        if (lineEnd > line && lineEnd[-1] == '\r')
            --lineEnd;
        const auto length = IndexFormat::decodeInPlace(line, size_t(lineEnd - line));
        if (!length) {
            failure = formatFailure(path, lineNumber, "has an invalid escape");
            return false;
        }
        loaded.folders.emplace_back(line, *length);
        if (loaded.folders.size() % YieldEveryLines == 0)
            ctx.yield();
        line = next;
    }
    return true;
}

bool folderNumbersExist(const LoadedIndex::Impl& loaded, const std::string& path, LoadFailure& failure)
{
    const size_t folders = loaded.folders.size();
    for (size_t row = 0; row < loaded.records.size(); ++row) {
        if (loaded.records[row].folderIndex >= folders) {
            failure = {ErrorNumbers::BadIndexFormat, "Bad index file: line " + std::to_string(row + 2) +
                                                         " of " + path + " names folder " +
                                                         std::to_string(loaded.records[row].folderIndex) +
                                                         ", which the folders file does not have"};
            return false;
        }
    }
    return true;
}

void report(IndexContext& ctx, int location, const LoadFailure& failure, const std::string& suffix = {})
{
    if (ctx.errors)
        ctx.errors->reportError(location, failure.number, failure.description + suffix);
}

LoadFailure systemFailure(int err, const std::string& path)
{
    const EngineError error = EngineError::fromErrno(err, path);
    return {error.number, error.description};
}

} // namespace

bool LoadIndex(IndexContext& ctx, const std::string& root, int mode)
{
    int position = 1;
    LoadFailure failure;
    auto fail = [&] {
        report(ctx, Locations::LoadIndex, failure, " Position: " + std::to_string(position));
        return false;
    };

    ctx.LoadedIndexRoot.clear();
    ctx.index.clear();
    ctx.yield();

    position = 2;
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, mode);
    if (!paths) {
        failure = {ErrorNumbers::InvalidArgument, "Invalid argument: no index name for root " + root};
        return fail();
    }
    auto loaded = std::make_unique<LoadedIndex::Impl>();
    WholeFile entries = readWholeFile(paths->entries);
    if (entries.error == ENOENT)
        return false;

    position = 3;
    if (entries.error) {
        failure = systemFailure(entries.error, paths->entries);
        return fail();
    }
    if (entries.size == 0) {
        failure = {ErrorNumbers::BadIndexFormat, "Bad index file: " + paths->entries + " has no build stamp"};
        return fail();
    }
    loaded->entriesText = std::move(entries.text);
    loaded->entriesTextSize = entries.size;

    position = 4;
    if (!parseEntries(ctx, *loaded, paths->entries, failure))
        return fail();

    position = 5;
    WholeFile folders = readWholeFile(paths->folders);
    if (folders.error == ENOENT)
        return false;

    position = 6;
    if (folders.error) {
        failure = systemFailure(folders.error, paths->folders);
        return fail();
    }
    loaded->foldersText = std::move(folders.text);
    loaded->foldersTextSize = folders.size;
    if (!parseFolders(ctx, *loaded, paths->folders, failure))
        return fail();

    position = 7;
    if (!folderNumbersExist(*loaded, paths->entries, failure))
        return fail();
    IndexLoader::install(ctx.index, std::move(loaded));
    ctx.LoadedIndexRoot = root;
    return true;
}

int IndexAgeHours(IndexContext& ctx, const std::string& root)
{
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, 0);
    if (!paths) {
        report(ctx, Locations::IndexAgeHours,
               {ErrorNumbers::InvalidArgument, "Invalid argument: no index name for root " + root});
        return 9999;
    }

    // A stamp is about twenty bytes; anything longer than this is no stamp.
    constexpr size_t StampLimit = 256;
    WholeFile head = readFileHead(paths->entries, StampLimit);
    if (head.error == ENOENT)
        return 100;
    if (head.error) {
        report(ctx, Locations::IndexAgeHours, systemFailure(head.error, paths->entries));
        return 100;
    }
    if (head.size == 0)
        return 100;

    std::string_view firstLine(head.text.get(), head.size);
    const size_t lineFeed = firstLine.find('\n');
    if (lineFeed != std::string_view::npos)
        firstLine = firstLine.substr(0, lineFeed);
    if (!firstLine.empty() && firstLine.back() == '\r')
        firstLine.remove_suffix(1);
    const auto stamp = parseDateText(firstLine);
    if (!stamp) {
        report(ctx, Locations::IndexAgeHours,
               {ErrorNumbers::TypeMismatch, "Type mismatch: the build stamp of " + paths->entries +
                                                " is not a date: " + std::string(firstLine)});
        return 100;
    }
    const int64_t hours = nowLocal().hourNumber() - stamp->hourNumber();
    if (hours > INT_MAX)
        return INT_MAX;
    if (hours < INT_MIN)
        return INT_MIN;
    return static_cast<int>(hours);
}

} // namespace zephrix
