#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/TextFold.h"
#include "index/ExcludedFolders.h"
#include "search/IndexNamePattern.h"
#include "search/NameFilter.h"
#include "search/NameScan.h"
#include "search/SearchCriteria.h"
#include "search/SearchLimits.h"

namespace zephrix {

// The request as a matcher call compares entries with it: everything the
// filters need, derived from the criteria and options once rather than per
// entry. The tests the matcher runs on every entry are inline.
class MatchRequest {
  public:
    // The start of a call. The case option, the size and date boxes and the
    // exclusions are read here only; the rest follows the controls.
    void start(const SearchCriteria& criteria, const SearchOptions& options);

    // After a yield: prepares the per-entry part again when a control it
    // comes from (name, match, type, inside files, scope, folder) changed;
    // true when it did.
    bool follow(const SearchCriteria& live);

    // The criteria the per-entry part was made from.
    const SearchCriteria& applied() const { return applied_; }
    bool caseSensitive() const { return caseSensitive_; }
    const FolderExclusion& exclusion() const { return *exclusion_; }
    const NameFilter& name() const { return name_; }
    // The quick pass over names for the name test, or else the type test;
    // inactive when neither gives it anything to look for.
    const NameScan& nameScan() const { return nameScan_; }

    bool typeRestricted() const { return typeActive_; }
    // The extension of an index name (readable padding follows it); ascii:
    // the name has no byte of 0x80 or more.
    [[gnu::always_inline]] bool typeMatches(std::string_view extension, bool ascii) const
    {
        if (ascii && fastType_)
            return extension.size() == typeNames_.length() && typeNames_.matchesAt(extension.data());
        return typePattern_.equals(extension);
    }

    bool sizeRestricted() const { return sizeClass_ != SizeClass::Any; }
    bool sizeFits(uint64_t size) const
    {
        switch (sizeClass_) {
        case SizeClass::Small:
            return size <= SearchLimits::SmallMost;
        case SizeClass::Medium:
            return size <= SearchLimits::MediumMost;
        case SizeClass::Large:
            return size >= SearchLimits::LargeLeast;
        case SizeClass::Any:
            break;
        }
        return true;
    }

    bool dateRestricted() const { return fromDay_ || toDay_; }
    // Whether a stored creation date falls strictly between the days of the
    // date boxes. A text that is no date shows nothing of the kind.
    bool createdWithinDates(std::string_view created) const;

    bool folderScope() const { return folderScope_; }
    // Only the chosen folder's own files, its path compared byte for byte.
    bool isScopeFolder(std::string_view folder) const { return folder == scopeFolder_; }

  private:
    enum class SizeClass { Any, Small, Medium, Large };

    void compile(const SearchCriteria& criteria);

    SearchCriteria applied_;
    bool caseSensitive_ = false;
    SizeClass sizeClass_ = SizeClass::Any;
    std::optional<int64_t> fromDay_;
    std::optional<int64_t> toDay_;
    std::optional<FolderExclusion> exclusion_;

    NameFilter name_;
    bool typeActive_ = false;
    FoldedPattern typePattern_;
    bool fastType_ = false; // an ASCII type the block test takes
    IndexNamePattern typeNames_;
    NameScan nameScan_;
    bool folderScope_ = false;
    std::string scopeFolder_;
};

} // namespace zephrix
