#include "search/EntryMatcher.h"

#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/DateText.h"
#include "core/DecimalText.h"
#include "core/LongPath.h"
#include "core/TextFold.h"
#include "index/FileDetails.h"
#include "index/IndexFormat.h"
#include "search/InsideScan.h"
#include "search/MatchRequest.h"
#include "search/NameFilter.h"
#include "search/SearchLimits.h"
#include "search/SearchTexts.h"

namespace zephrix {
namespace {

using SearchLimits::ProgressEvery;
using SearchLimits::ResultsLimitCount;
constexpr uint32_t NoFolder = std::numeric_limits<uint32_t>::max();

int64_t localSecondsOf(std::string_view dateText)
{
    const auto when = parseDateText(dateText);
    return when ? when->localSeconds() : NoTime;
}

void assignLower(std::string& out, std::string_view text)
{
    if (!isAsciiText(text)) {
        out = lowerText(text);
        return;
    }
    out.assign(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
}

void assignCountLabel(std::string& label, const char* prefix, int64_t count)
{
    label.assign(prefix);
    appendDecimal(label, static_cast<uint64_t>(count));
}

// Position of the last '.', or the name's length when it has none. Names
// are short and their extension sits at the end, so a plain backward loop
// beats a library call here.
size_t lastDot(std::string_view name)
{
    for (size_t i = name.size(); i-- > 0;) {
        if (name[i] == '.')
            return i;
    }
    return name.size();
}

// A name that begins with a dot is hidden, and a lookup that ignores hidden
// entries does not find it.
bool isHiddenName(std::string_view name)
{
    return !name.empty() && name.front() == '.';
}

// The file as the index lists it: a link counts as itself, not as what it
// points to. Paths of any length: a tree may be deeper than a path text can be.
bool fileStillThere(const std::string& fullPath, std::string_view name)
{
    struct statx details {};
    return !isHiddenName(name) &&
           statxAnyLength(AT_FDCWD, fullPath, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE, details) ==
               0 &&
           !S_ISDIR(details.stx_mode);
}

bool folderStillThere(std::string_view path, std::string_view name)
{
    struct statx details {};
    return !isHiddenName(name) &&
           statxAnyLength(AT_FDCWD, std::string(path), AT_NO_AUTOMOUNT, STATX_TYPE, details) == 0 &&
           S_ISDIR(details.stx_mode);
}

class Matcher {
  public:
    Matcher(IndexContext& ctx, SearchFrontEnd ui, SearchState& state) : ctx_(ctx), ui_(ui), state_(state) {}

    void run()
    {
        ui_.request.readCriteria(live_);
        ui_.request.readOptions(options_);
        request_.start(live_, options_);
        folderPass();
        filePass();
    }

  private:
    // Other handlers ran: Cancel Search, or a change of the criteria
    // controls, which takes effect from the next entry on.
    void followFrontEnd()
    {
        ui_.request.readCriteria(live_);
        ui_.request.readOptions(options_);
        if (request_.follow(live_))
            scopeCachedFor_ = NoFolder;
    }

    void yieldToFrontEnd()
    {
        ctx_.yield();
        followFrontEnd();
    }

    void applyToolbarRule()
    {
        ui_.results.flushResults();
        ui_.status.showResultsToolbar(state_.ResultRowCount > 0);
    }

    void addRow(ResultRow&& row)
    {
        ui_.results.addResult(std::move(row));
        ++state_.ResultRowCount;
    }

    void folderPass()
    {
        if (!options_.ShowFolders || live_.name.empty() || !live_.fileType.empty())
            return;
        // The case option never applies to folder names.
        constexpr bool FolderNamesCaseSensitive = false;
        NameFilter folderName;
        folderName.compile(live_.name, live_.nameMatch, FolderNamesCaseSensitive);
        // Most folder names are passed over by a block test for the bytes
        // any name the filter passes holds.
        NameScan quickTest;
        folderName.prepareScan(quickTest);
        const LoadedIndex& index = ctx_.index;
        const size_t count = index.folderCount();
        // Folder 0 is the root the pair was built for; it is never listed.
        if (count == 0 || index.folder(0).empty())
            return;
        for (size_t k = 1; k < count; ++k) {
            const std::string_view path = index.folder(k);
            if (path.empty())
                break;
            std::string_view trimmed = path;
            if (!trimmed.empty() && trimmed.back() == '/')
                trimmed.remove_suffix(1);
            // Paths run long; the library's search from the end takes blocks.
            const void* slash = ::memrchr(trimmed.data(), '/', trimmed.size());
            const size_t nameAt = slash ? size_t(static_cast<const char*>(slash) - trimmed.data()) + 1 : 0;
            const std::string_view name = trimmed.substr(nameAt);
            const std::string_view parent = trimmed.substr(0, nameAt);
            // The tests have no effect but their answer, so the cheapest goes
            // first.
            if (!quickTest.mayHold(name.data(), name.size()) || !folderName.passes(name) ||
                request_.exclusion().excludes(path) || !folderStillThere(path, name))
                continue;
            ResultRow row;
            row.name.assign(name);
            row.path.assign(parent);
            row.isFolder = true;
            addRow(std::move(row));
        }
    }

    // Reads the details of an entry whose stored size is empty from the disk
    // into the index in memory.
    void completeIfEmpty(size_t row, IndexEntry& entry)
    {
        if (!entry.size.empty())
            return;
        buildFullPath(entry);
        const std::string details = GetFileDetails(fullPath_, ctx_.errors);
        const size_t first = details.find(IndexFormat::FieldSeparator);
        const size_t second =
            first == std::string::npos ? first : details.find(IndexFormat::FieldSeparator, first + 1);
        if (second == std::string::npos)
            return;
        const std::string_view text = details;
        ctx_.index.completeEntry(row, text.substr(0, first), text.substr(first + 1, second - first - 1),
                                 text.substr(second + 1));
        entry = ctx_.index.entry(row);
    }

    void buildFullPath(const IndexEntry& entry)
    {
        fullPath_.assign(ctx_.index.folder(entry.folderIndex));
        fullPath_.append(entry.name);
    }

    // Whether an exclusion takes any folder of the pair; when none does,
    // every entry is examined and counted.
    bool anyFolderExcluded() const
    {
        const FolderExclusion& exclusion = request_.exclusion();
        if (exclusion.empty())
            return false;
        for (size_t k = 0; k < ctx_.index.folderCount(); ++k) {
            if (exclusion.excludes(ctx_.index.folder(k)))
                return true;
        }
        return false;
    }

    // Counts as examined, without looking at their entries, the entries
    // from the one whose name is at `names` on whose names surely fail the
    // name test (at most `left`), and moves `names` past them. It stops
    // before the entry that brings the count to a multiple of 100, which
    // yields: until then no handler runs, so nothing can tell. Returns how
    // many entries it passed over.
    size_t passOverRefusedNames(const char*& names, size_t left, int64_t& untilProgress)
    {
        const NameScan& scan = request_.nameScan();
        if (!scan.active())
            return 0;
        const size_t passed = scan.skip(names, std::min(size_t(untilProgress - 1), left));
        state_.FilesSearchedCount += int64_t(passed);
        untilProgress -= int64_t(passed);
        return passed;
    }

    void filePass()
    {
        const LoadedIndex& index = ctx_.index;
        const size_t count = index.entryCount();
        const size_t namedRows = index.namedRows();
        uint32_t excludedCachedFor = NoFolder;
        bool folderExcluded = false;
        // The count carries over from earlier drives; the label follows its
        // multiples of 100.
        int64_t untilProgress = ProgressEvery - state_.FilesSearchedCount % ProgressEvery;
        // The name of `row` in the name text (null when nothing is loaded).
        // The quick pass over it counts every entry it passes over, so it
        // serves only where no entry is left out uncounted.
        const char* names = index.nameText();
        const bool quickPass = names && !anyFolderExcluded();
        for (size_t row = 0; row < count; ++row) {
            if (quickPass && !state_.SearchCancelled) {
                row += passOverRefusedNames(names, namedRows - std::min(row, namedRows), untilProgress);
                if (row == count)
                    break;
            }
            // Name and folder first: most entries go no further.
            const std::string_view name = index.entryName(row);
            if (name.empty())
                break;
            if (state_.SearchCancelled) {
                applyToolbarRule();
                return;
            }
            if (names)
                names += name.size() + 1;
            // Entries come grouped by folder, so each folder is tested once.
            const uint32_t folderIndex = index.entryFolder(row);
            if (folderIndex != excludedCachedFor) {
                excludedCachedFor = folderIndex;
                folderExcluded = request_.exclusion().excludes(index.folder(folderIndex));
            }
            if (folderExcluded)
                continue;

            ++state_.FilesSearchedCount;
            if (--untilProgress == 0) {
                untilProgress = ProgressEvery;
                assignCountLabel(label_, SearchTexts::FilesSearched, state_.FilesSearchedCount);
                ui_.status.setFilesSearched(label_);
                yieldToFrontEnd();
            }

            if (request_.folderScope()) {
                if (folderIndex != scopeCachedFor_) {
                    scopeCachedFor_ = folderIndex;
                    inScopeFolder_ = request_.isScopeFolder(index.folder(folderIndex));
                }
                if (!inScopeFolder_)
                    continue;
            }

            size_t dotAt = 0;
            bool ascii = true;
            if (!request_.name().passesIndexName(name, dotAt, ascii))
                continue;
            const std::string_view extension =
                dotAt < name.size() ? name.substr(dotAt + 1) : std::string_view();
            rowType_.clear();
            if (request_.typeRestricted()) {
                if (!request_.typeMatches(extension, ascii))
                    continue;
                assignLower(rowType_, extension);
            }
            IndexEntry entry = index.entry(row);
            if (request_.sizeRestricted()) {
                completeIfEmpty(row, entry);
                const auto size = parseDecimal(entry.size);
                if (!size || !request_.sizeFits(*size))
                    continue;
            }
            if (request_.dateRestricted()) {
                completeIfEmpty(row, entry);
                if (!request_.createdWithinDates(entry.created))
                    continue;
            }
            if (!request_.typeRestricted()) {
                // The name may have been refreshed with the entry's details.
                const size_t dot = lastDot(entry.name);
                if (dot < entry.name.size())
                    rowType_.assign(entry.name.substr(dot + 1));
            }
            const SearchCriteria& applied = request_.applied();
            if (applied.searchInside()) {
                if (!IsInsideScanType(rowType_, applied.insideTypes))
                    continue;
                buildFullPath(entry);
                const bool found = scanner_.scan(
                    fullPath_, entry.name, applied.insideText, request_.caseSensitive(),
                    [this](const std::string& text) { ui_.status.setNotes(text); }, ctx_.yield,
                    [this] { return state_.SearchCancelled; });
                // The scan yielded while it read.
                followFrontEnd();
                if (!found)
                    continue;
                entry = index.entry(row);
            }

            completeIfEmpty(row, entry);
            ++state_.FilesFoundCount;
            assignCountLabel(label_, SearchTexts::FilesFound, state_.FilesFoundCount);
            ui_.status.setFilesFound(label_);

            buildFullPath(entry);
            if (!fileStillThere(fullPath_, entry.name)) {
                // The label keeps the higher count until the next accepted file.
                --state_.FilesFoundCount;
            } else {
                ResultRow result;
                result.name.assign(entry.name);
                result.path.assign(index.folder(entry.folderIndex));
                result.fileType = rowType_;
                result.size = parseDecimal(entry.size).value_or(0);
                result.created = localSecondsOf(entry.created);
                result.modified = localSecondsOf(entry.modified);
                addRow(std::move(result));
            }

            if (!options_.ResultsLimit && state_.FilesFoundCount >= ResultsLimitCount) {
                ui_.results.flushResults();
                ui_.messages.displayOk(SearchTexts::ResultsLimitReached);
                ui_.status.setSearchTimerRunning(false);
                ui_.status.setCancelSearchVisible(false);
                state_.SearchCancelled = true;
                return;
            }
            yieldToFrontEnd();
        }
    }

    IndexContext& ctx_;
    SearchFrontEnd ui_;
    SearchState& state_;

    SearchCriteria live_; // as the controls hold it now
    SearchOptions options_;
    MatchRequest request_;
    uint32_t scopeCachedFor_ = NoFolder;
    bool inScopeFolder_ = false;

    InsideScanner scanner_;
    std::string fullPath_;
    std::string rowType_;
    std::string label_;
};

} // namespace

void MatchLoadedIndex(IndexContext& ctx, SearchFrontEnd ui, SearchState& state)
{
    Matcher matcher(ctx, ui, state);
    matcher.run();
}

} // namespace zephrix
