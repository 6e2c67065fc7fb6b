#include "index/IndexLoader.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/DateText.h"
#include "core/EngineError.h"
#include "core/ErrorCodes.h"
#include "core/FileDescriptor.h"
#include "core/RegularFile.h"
#include "core/WholeFile.h"
#include "index/IndexFormat.h"
#include "index/IndexTextParser.h"
#include "index/LoadedIndexImpl.h"
#include "index/PairLock.h"
#include "index/ReservedPages.h"

namespace zephrix {

// Swaps a finished load into the index without exposing its layout.
class IndexLoader {
  public:
    static void install(LoadedIndex& index, std::unique_ptr<LoadedIndex::Impl> loaded)
    {
        index.install(loaded.release());
    }
};

namespace {

// The entries file is read in pieces of this size, each parsed right after
// it arrived, while it is still in the processor's cache.
constexpr size_t ReadPiece = size_t(256) << 10;

EngineError formatFailure(const std::string& path, size_t lineNumber, const char* what)
{
    return {ErrorNumbers::BadIndexFormat,
            "Bad index file: line " + std::to_string(lineNumber) + " of " + path + " " + what};
}

// Room for `size` bytes of text and the padding after it, keeping the
// `filled` bytes there are; the text moves, which the records (offsets) do
// not mind. The padding lets scans read whole blocks past a text's end.
bool growText(ReservedPages& text, size_t filled, size_t size)
{
    const size_t padded = size + LoadedIndex::NameTextPadding;
    ReservedPages bigger;
    if (!bigger.reserve(padded) || !bigger.commit(padded))
        return false;
    if (filled > 0)
        std::memcpy(bigger.data(), text.data(), filled);
    text = std::move(bigger);
    return true;
}

// Reads a whole file into `text`, a piece at a time, growing it when the
// file grew since `capacity` was taken; calls onPiece(pieceStart, size)
// after each piece. Returns 0 or the errno of the failed call.
template <typename OnPiece>
int readPieces(int fd, size_t capacity, ReservedPages& text, size_t& size, OnPiece&& onPiece)
{
    size = 0;
    if (!growText(text, 0, capacity))
        return errno;
    for (;;) {
        if (size == capacity) {
            if (!growText(text, size, capacity * 2))
                return errno;
            capacity *= 2;
        }
        const size_t wanted = std::min(ReadPiece, capacity - size);
        const ssize_t got = readFully(fd, text.data() + size, wanted);
        if (got < 0)
            return errno;
        if (got > 0) {
            const size_t pieceStart = size;
            size += static_cast<size_t>(got);
            onPiece(pieceStart, size);
        }
        // A short piece is the end of the file.
        if (static_cast<size_t>(got) < wanted)
            return 0;
    }
}

// Reads the entries file into loaded.entriesText and hands each piece's
// whole lines to the parser as it arrives; a parse failure stops the parsing
// but not the reading, so a read error is still the one reported. Returns 0
// or the errno of the failed call.
int readEntries(int fd, LoadedIndex::Impl& loaded, EntryLineParser& parser, bool& parsed)
{
    const size_t capacity = readingCapacity(fd);
    if (capacity == 0)
        return errno;
    // Every stored line has at least four separators and a digit: six bytes.
    if (!loaded.recordPages.reserve((capacity / 6 + 1) * sizeof(LoadedIndex::Impl::Record)))
        return errno;
    // The names are part of the lines, so as much room holds them all; the
    // padding is there even when there are none.
    if (!loaded.nameText.reserve(capacity + LoadedIndex::NameTextPadding) || !loaded.roomForNames(0))
        return errno;

    size_t linesFrom = SIZE_MAX; // where unparsed lines start; unknown before the stamp's line feed
    parsed = true;
    auto parsePiece = [&](size_t pieceStart, size_t size) {
        if (!parsed)
            return;
        const char* const text = loaded.entriesText.data();
        if (linesFrom == SIZE_MAX) {
            const void* stampEnd = std::memchr(text + pieceStart, IndexFormat::LineFeed, size - pieceStart);
            if (!stampEnd)
                return;
            linesFrom = size_t(static_cast<const char*>(stampEnd) - text) + 1;
            // The lines' details are moved down to follow the stamp.
            loaded.detailsEnd = linesFrom;
        }
        const void* lastLineFeed = ::memrchr(text + linesFrom, IndexFormat::LineFeed, size - linesFrom);
        if (!lastLineFeed)
            return;
        const size_t linesTo = size_t(static_cast<const char*>(lastLineFeed) - text) + 1;
        parsed = parser.parse(linesFrom, linesTo);
        linesFrom = linesTo;
    };
    if (const int error = readPieces(fd, capacity, loaded.entriesText, loaded.entriesTextSize, parsePiece))
        return error;
    // A last line without its line end is never parsed: the file is refused
    // as cut short (endsWithLineEnd).
    return 0;
}

// Reads the folders file into loaded.foldersText. Returns 0 or the errno of
// the failed call.
int readFolders(int fd, LoadedIndex::Impl& loaded)
{
    const size_t capacity = readingCapacity(fd);
    if (capacity == 0)
        return errno;
    const int error =
        readPieces(fd, capacity, loaded.foldersText, loaded.foldersTextSize, [](size_t, size_t) {});
    loaded.foldersText.guardAfter(loaded.foldersTextSize + LoadedIndex::NameTextPadding);
    return error;
}

bool folderNumbersExist(const LoadedIndex::Impl& loaded, uint32_t largestFolderIndex, const std::string& path,
                        EngineError& failure)
{
    const size_t folders = loaded.folderCount;
    if (loaded.recordCount == 0 || largestFolderIndex < folders)
        return true;
    for (size_t row = 0; row < loaded.recordCount; ++row) {
        const uint32_t folderIndex = loaded.records()[row].folderIndex;
        if (folderIndex >= folders) {
            failure = {ErrorNumbers::BadIndexFormat,
                       "Bad index file: line " + std::to_string(row + 2) + " of " + path + " names folder " +
                           std::to_string(folderIndex) + ", which the folders file does not have"};
            return false;
        }
    }
    return true;
}

// Every line the builder writes ends in CR LF, the last one too: a file that
// ends otherwise was cut short (a full disk, a copy broken off), and its last
// line may hold half a date or half a folder.
bool endsWithLineEnd(const ReservedPages& text, size_t size)
{
    return size >= IndexFormat::LineEnd.size() &&
           std::string_view(text.data() + size - IndexFormat::LineEnd.size(), IndexFormat::LineEnd.size()) ==
               IndexFormat::LineEnd;
}

EngineError cutShort(const std::string& path)
{
    return {ErrorNumbers::BadIndexFormat,
            "Bad index file: " + path + " is cut short: its last line has no line end"};
}

void report(IndexContext& ctx, int location, const EngineError& failure, const std::string& suffix = {})
{
    if (ctx.errors)
        ctx.errors->reportError(location, failure.number, failure.description + suffix);
}

// Both files of a pair carry the stamp of the build that wrote them. Stamps
// that differ mean a build was cut off between replacing the two files: the
// entries would then number another build's folders.
bool sameBuildStamp(const LoadedIndex::Impl& loaded, const IndexFormat::PairPaths& paths,
                    EngineError& failure)
{
    using IndexFormat::firstLine;
    if (firstLine({loaded.entriesText.data(), loaded.entriesTextSize}) ==
        firstLine({loaded.foldersText.data(), loaded.foldersTextSize}))
        return true;
    failure = {ErrorNumbers::BadIndexFormat,
               "Bad index file: " + paths.entries + " and " + paths.folders + " come from different builds"};
    return false;
}

IndexContext::FileIdentity identityOf(const struct stat& st, const std::string& path)
{
    return {path, uint64_t(st.st_dev), uint64_t(st.st_ino),
            int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

IndexContext::FileIdentity identityOf(int fd, const std::string& path)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {};
    return identityOf(st, path);
}

} // namespace

bool LoadedPairIsCurrent(const IndexContext& ctx)
{
    const auto& loaded = ctx.loadedEntriesFile;
    struct stat st {};
    return !loaded.path.empty() && ::stat(loaded.path.c_str(), &st) == 0 &&
           identityOf(st, loaded.path) == loaded;
}

bool LoadIndex(IndexContext& ctx, const std::string& root, IndexMode mode)
{
    int position = 1;
    EngineError failure;
    auto fail = [&] {
        report(ctx, Locations::LoadIndex, failure, " Position: " + std::to_string(position));
        return false;
    };

    ctx.LoadedIndexRoot.clear();
    ctx.loadedEntriesFile = {};
    ctx.index.clear();
    ctx.yield();

    position = 2;
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, mode);
    if (!paths) {
        failure = {ErrorNumbers::InvalidArgument, "Invalid argument: no index name for root " + root};
        return fail();
    }
    // Shared with other readers, never with a build: both files then come
    // from one build, whatever runs beside this load.
    PairLock lock;
    switch (lock.acquire(paths->lock, PairLock::Kind::Shared, LockWait::Wait, ctx.yield,
                         [&ctx] { return ctx.CancelIndexing; })) {
    case PairLock::Result::Held:
    case PairLock::Result::Busy: // never, since it waits
        break;
    case PairLock::Result::Stopped:
        return false;
    case PairLock::Result::Failed:
        failure = EngineError::fromErrno(lock.error(), paths->lock);
        return fail();
    }
    auto loaded = std::make_unique<LoadedIndex::Impl>();
    int openError = 0;
    const FileDescriptor entries = openRegularFile(paths->entries, openError);
    if (openError == ENOENT)
        return false;

    position = 3;
    if (openError) {
        failure = EngineError::fromErrno(openError, paths->entries);
        return fail();
    }
    EntryLineParser parser(*loaded, ctx.yield);
    bool parsed = true;
    if (const int error = readEntries(entries.get(), *loaded, parser, parsed)) {
        failure = EngineError::fromErrno(error, paths->entries);
        return fail();
    }
    if (loaded->entriesTextSize == 0) {
        failure = {ErrorNumbers::BadIndexFormat, "Bad index file: " + paths->entries + " has no build stamp"};
        return fail();
    }

    position = 4;
    if (!endsWithLineEnd(loaded->entriesText, loaded->entriesTextSize)) {
        failure = cutShort(paths->entries);
        return fail();
    }
    if (!parsed) {
        failure = parser.memoryError() ? EngineError::fromErrno(parser.memoryError(), paths->entries)
                                       : formatFailure(paths->entries, parser.failedLine(), parser.problem());
        return fail();
    }
    loaded->recordPages.trim(loaded->recordCount * sizeof(LoadedIndex::Impl::Record));

    position = 5;
    const FileDescriptor folders = openRegularFile(paths->folders, openError);
    if (openError == ENOENT)
        return false;

    position = 6;
    if (const int error = openError ? openError : readFolders(folders.get(), *loaded)) {
        failure = EngineError::fromErrno(error, paths->folders);
        return fail();
    }
    if (!endsWithLineEnd(loaded->foldersText, loaded->foldersTextSize)) {
        failure = cutShort(paths->folders);
        return fail();
    }
    size_t failedLine = 0;
    if (!parseFolderLines(*loaded, ctx.yield, failedLine)) {
        failure = failedLine == 0 ? EngineError::fromErrno(errno, paths->folders)
                                  : formatFailure(paths->folders, failedLine, "has an invalid escape");
        return fail();
    }

    position = 7;
    if (!folderNumbersExist(*loaded, parser.largestFolderIndex(), paths->entries, failure))
        return fail();
    if (!sameBuildStamp(*loaded, *paths, failure))
        return fail();
    loaded->finishTexts();
    IndexLoader::install(ctx.index, std::move(loaded));
    ctx.LoadedIndexRoot = root;
    ctx.loadedEntriesFile = identityOf(entries.get(), paths->entries);
    return true;
}

int IndexAgeHours(IndexContext& ctx, const std::string& root)
{
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, IndexMode::Drive);
    if (!paths) {
        report(ctx, Locations::IndexAgeHours,
               {ErrorNumbers::InvalidArgument, "Invalid argument: no index name for root " + root});
        return 9999;
    }

    // No lock: one line of one file is read, and a build puts each file in
    // place whole, with one rename.
    // A stamp is about twenty bytes; anything longer than this is no stamp.
    constexpr size_t StampLimit = 256;
    WholeFile head = readFileHead(paths->entries, StampLimit);
    if (head.error == ENOENT)
        return 100;
    if (head.error) {
        report(ctx, Locations::IndexAgeHours, EngineError::fromErrno(head.error, paths->entries));
        return 100;
    }
    if (head.size == 0)
        return 100;

    const std::string_view stampText = IndexFormat::firstLine({head.text.get(), head.size});
    const auto stamp = parseDateText(stampText);
    if (!stamp) {
        report(ctx, Locations::IndexAgeHours,
               {ErrorNumbers::TypeMismatch, "Type mismatch: the build stamp of " + paths->entries +
                                                " is not a date: " + std::string(stampText)});
        return 100;
    }
    // A stamp later than now comes from a clock that was wrong then or is
    // wrong now, or from a copied pair: its age says nothing, and counting it
    // as missing has it rebuilt instead of never.
    const LocalDateTime now = nowLocal();
    if (stamp->localSeconds() > now.localSeconds())
        return 100;
    const int64_t hours = now.hourNumber() - stamp->hourNumber();
    return hours > INT_MAX ? INT_MAX : static_cast<int>(hours);
}

} // namespace zephrix
