#include "search/EntryMatcher.h"

#include <string.h>
#include <sys/stat.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/DateText.h"
#include "core/PathText.h"
#include "core/TextFold.h"
#include "index/ExcludedFolders.h"
#include "index/FileDetails.h"
#include "search/IndexNamePattern.h"
#include "search/InsideScan.h"
#include "search/SearchLimits.h"
#include "search/SearchTexts.h"

namespace zephrix {
namespace {

using SearchLimits::LargeLeast;
using SearchLimits::MediumMost;
using SearchLimits::ProgressEvery;
using SearchLimits::ResultsLimitCount;
using SearchLimits::SmallMost;
constexpr uint32_t NoFolder = std::numeric_limits<uint32_t>::max();

enum class SizeClass { Any, Small, Medium, Large };

SizeClass sizeClassOf(const std::string& lowered)
{
    if (lowered == SizeSmall)
        return SizeClass::Small;
    if (lowered == SizeMedium)
        return SizeClass::Medium;
    if (lowered == SizeLarge)
        return SizeClass::Large;
    // "any", and any other text, restricts nothing.
    return SizeClass::Any;
}

bool sizeFits(SizeClass sizeClass, uint64_t size)
{
    switch (sizeClass) {
    case SizeClass::Small:
        return size <= SmallMost;
    case SizeClass::Medium:
        return size <= MediumMost;
    case SizeClass::Large:
        return size >= LargeLeast;
    case SizeClass::Any:
        break;
    }
    return true;
}

std::optional<uint64_t> wholeNumber(std::string_view text)
{
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Day number of a date box, when it restricts anything: "any" does not, and
// neither does a text that is not a date.
std::optional<int64_t> dateBoxDay(const std::string& text)
{
    if (lowerText(text) == SizeAny)
        return std::nullopt;
    const auto date = parseDateText(text);
    if (!date)
        return std::nullopt;
    return date->dayNumber();
}

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
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, count);
    label.append(digits, end);
}

// The name test. Contains honours the case option; Exactly, Starts With and
// Ends With never do.
class NameFilter {
  public:
    void compile(const std::string& name, NameMatch match, bool caseSensitive)
    {
        active_ = !name.empty();
        match_ = match;
        exact_ = caseSensitive && match == NameMatch::Contains;
        text_ = name;
        folded_.assign(name);
        // Patterns the block tests on index names can take.
        fastAscii_ = active_ && isAsciiText(folded_.folded());
        if (fastAscii_) {
            indexNames_.assign(folded_.folded());
            fastAscii_ = indexNames_.fits();
        }
        fastContains_ = fastAscii_ && !exact_ && match == NameMatch::Contains;
    }

    // passes() on the base of a name of the loaded index (which may be read
    // past its end). lastDot gets the position of the name's last '.' (its
    // length when it has none), ascii whether the name has no byte of 0x80
    // or more.
    bool passesIndexName(std::string_view name, size_t& lastDot, bool& ascii) const
    {
        if (fastContains_) {
            switch (indexNames_.findInBase(name.data(), name.size(), lastDot)) {
            case AsciiSearch::Found:
                ascii = true;
                return true;
            case AsciiSearch::Absent:
                ascii = true;
                return false;
            case AsciiSearch::OtherByte:
                ascii = false;
                return folded_.isContainedIn(name.substr(0, lastDot));
            }
        }
        const IndexNameShape shape = shapeOfIndexName(name.data(), name.size());
        lastDot = shape.lastDot;
        ascii = shape.ascii;
        if (!active_)
            return true;
        if (ascii && fastAscii_) {
            // As FoldedPattern compares an ASCII text with an ASCII pattern.
            const size_t m = indexNames_.length();
            switch (match_) {
            case NameMatch::Exactly:
                return lastDot == m && indexNames_.matchesAt(name.data());
            case NameMatch::StartsWith:
                return lastDot >= m && indexNames_.matchesAt(name.data());
            case NameMatch::EndsWith:
                return lastDot >= m && indexNames_.matchesAt(name.data() + lastDot - m);
            case NameMatch::Contains:
                break;
            }
        }
        return passes(name.substr(0, lastDot));
    }

    bool passes(std::string_view candidate) const
    {
        if (!active_)
            return true;
        switch (match_) {
        case NameMatch::Contains:
            if (exact_)
                return candidate.size() >= text_.size() &&
                       ::memmem(candidate.data(), candidate.size(), text_.data(), text_.size()) != nullptr;
            return folded_.isContainedIn(candidate);
        case NameMatch::Exactly:
            return folded_.equals(candidate);
        case NameMatch::StartsWith:
            return folded_.isPrefixOf(candidate);
        case NameMatch::EndsWith:
            return folded_.isSuffixOf(candidate);
        }
        return false;
    }

  private:
    bool active_ = false;
    bool exact_ = false;
    NameMatch match_ = NameMatch::Contains;
    std::string text_;
    FoldedPattern folded_;
    bool fastAscii_ = false;    // an ASCII pattern the block tests take
    bool fastContains_ = false; // and Contains, ignoring case
    IndexNamePattern indexNames_;
};

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

bool fileStillThere(const std::string& fullPath, std::string_view name)
{
    struct stat st {};
    return !isHiddenName(name) && ::lstat(fullPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folderStillThere(std::string_view path, std::string_view name)
{
    struct stat st {};
    return !isHiddenName(name) && ::stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class Matcher {
  public:
    Matcher(IndexContext& ctx, SearchFrontEnd ui, SearchState& state) : ctx_(ctx), ui_(ui), state_(state) {}

    void run()
    {
        start();
        folderPass();
        filePass();
    }

  private:
    void start()
    {
        ui_.request.readCriteria(live_);
        ui_.request.readOptions(options_);
        // Read once per call; the rest of the request is re-read as it changes.
        caseSensitive_ = live_.caseSensitive;
        sizeClass_ = sizeClassOf(lowerText(live_.sizeText));
        fromDay_ = dateBoxDay(live_.fromDateText);
        toDay_ = dateBoxDay(live_.toDateText);
        exclusion_.emplace(options_.ExcludedFolders);
        compile();
    }

    // The per-entry part of the request, prepared once and again only when a
    // control changed during a yield.
    void compile()
    {
        applied_ = live_;
        nameFilter_.compile(live_.name, live_.nameMatch, caseSensitive_);
        typeActive_ = !live_.fileType.empty();
        typePattern_.assign(live_.fileType);
        fastType_ = isAsciiText(typePattern_.folded());
        if (fastType_) {
            typeNames_.assign(typePattern_.folded());
            fastType_ = typeNames_.fits();
        }
        folderScope_ = live_.scope == SearchScope::Folder;
        scopeFolder_.assign(withTrailingSlash(live_.folder));
        scopeCachedFor_ = NoFolder;
    }

    bool perEntryFieldsChanged() const
    {
        return live_.name != applied_.name || live_.nameMatch != applied_.nameMatch ||
               live_.fileType != applied_.fileType ||
               live_.searchInsideChecked != applied_.searchInsideChecked ||
               live_.insideText != applied_.insideText || live_.insideTypes != applied_.insideTypes ||
               live_.scope != applied_.scope || live_.folder != applied_.folder;
    }

    // Other handlers ran during the yield: Cancel Search, or a change of the
    // criteria controls, which takes effect from the next entry on.
    void yieldToFrontEnd()
    {
        ctx_.yield();
        ui_.request.readCriteria(live_);
        ui_.request.readOptions(options_);
        if (perEntryFieldsChanged())
            compile();
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
        NameFilter folderName;
        folderName.compile(live_.name, live_.nameMatch, false);
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
            const size_t slash = trimmed.rfind('/');
            const std::string_view name =
                slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
            const std::string_view parent =
                slash == std::string_view::npos ? std::string_view() : trimmed.substr(0, slash + 1);
            if (exclusion_->excludes(path) || !folderName.passes(name) || !folderStillThere(path, name))
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
        const size_t first = details.find('|');
        const size_t second = first == std::string::npos ? first : details.find('|', first + 1);
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

    bool createdWithinDates(const IndexEntry& entry) const
    {
        const auto created = parseDateText(entry.created);
        if (!created)
            return false; // nothing shows the file to lie in the range
        const int64_t day = created->dayNumber();
        return (!fromDay_ || day > *fromDay_) && (!toDay_ || day < *toDay_);
    }

    void filePass()
    {
        const LoadedIndex& index = ctx_.index;
        const size_t count = index.entryCount();
        uint32_t excludedCachedFor = NoFolder;
        bool folderExcluded = false;
        // The count carries over from earlier drives; the label follows its
        // multiples of 100.
        int64_t untilProgress = ProgressEvery - state_.FilesSearchedCount % ProgressEvery;
        for (size_t row = 0; row < count; ++row) {
            // Name and folder first: most entries go no further.
            const std::string_view name = index.entryName(row);
            if (name.empty())
                break;
            if (state_.SearchCancelled) {
                applyToolbarRule();
                return;
            }
            // Entries come grouped by folder, so each folder is tested once.
            const uint32_t folderIndex = index.entryFolder(row);
            if (folderIndex != excludedCachedFor) {
                excludedCachedFor = folderIndex;
                folderExcluded = exclusion_->excludes(index.folder(folderIndex));
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

            if (folderScope_) {
                if (folderIndex != scopeCachedFor_) {
                    scopeCachedFor_ = folderIndex;
                    inScopeFolder_ = scopeFolder_.equals(index.folder(folderIndex));
                }
                if (!inScopeFolder_)
                    continue;
            }

            size_t dotAt = 0;
            bool ascii = true;
            if (!nameFilter_.passesIndexName(name, dotAt, ascii))
                continue;
            const std::string_view extension =
                dotAt < name.size() ? name.substr(dotAt + 1) : std::string_view();
            rowType_.clear();
            if (typeActive_) {
                const bool typeMatches = ascii && fastType_ ? extension.size() == typeNames_.length() &&
                                                                  typeNames_.matchesAt(extension.data())
                                                            : typePattern_.equals(extension);
                if (!typeMatches)
                    continue;
                assignLower(rowType_, extension);
            }
            IndexEntry entry = index.entry(row);
            if (sizeClass_ != SizeClass::Any) {
                completeIfEmpty(row, entry);
                const auto size = wholeNumber(entry.size);
                if (!size || !sizeFits(sizeClass_, *size))
                    continue;
            }
            if (fromDay_ || toDay_) {
                completeIfEmpty(row, entry);
                if (!createdWithinDates(entry))
                    continue;
            }
            if (!typeActive_) {
                // The name may have been refreshed with the entry's details.
                const size_t dot = lastDot(entry.name);
                if (dot < entry.name.size())
                    rowType_.assign(entry.name.substr(dot + 1));
            }
            if (applied_.searchInside()) {
                if (!IsInsideScanType(rowType_, applied_.insideTypes))
                    continue;
                buildFullPath(entry);
                const bool found = scanner_.scan(
                    fullPath_, entry.name, applied_.insideText, caseSensitive_,
                    [this](const std::string& text) { ui_.status.setNotes(text); }, ctx_.yield);
                ui_.request.readCriteria(live_);
                ui_.request.readOptions(options_);
                if (perEntryFieldsChanged())
                    compile();
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
                result.size = wholeNumber(entry.size).value_or(0);
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

    SearchCriteria live_;    // as the controls hold it now
    SearchCriteria applied_; // what the compiled filters were made from
    SearchOptions options_;
    bool caseSensitive_ = false;
    SizeClass sizeClass_ = SizeClass::Any;
    std::optional<int64_t> fromDay_;
    std::optional<int64_t> toDay_;
    std::optional<FolderExclusion> exclusion_;

    NameFilter nameFilter_;
    bool typeActive_ = false;
    FoldedPattern typePattern_;
    bool fastType_ = false; // an ASCII type the block test takes
    IndexNamePattern typeNames_;
    bool folderScope_ = false;
    FoldedPattern scopeFolder_;
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
