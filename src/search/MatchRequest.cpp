#include "search/MatchRequest.h"

#include "core/DateText.h"
#include "core/PathText.h"

namespace zephrix {
namespace {

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

} // namespace

void MatchRequest::start(const SearchCriteria& criteria, const SearchOptions& options)
{
    caseSensitive_ = criteria.caseSensitive;
    // "any", and any other text, restricts nothing.
    const std::string size = lowerText(criteria.sizeText);
    sizeClass_ = size == SizeSmall    ? SizeClass::Small
                 : size == SizeMedium ? SizeClass::Medium
                 : size == SizeLarge  ? SizeClass::Large
                                      : SizeClass::Any;
    fromDay_ = dateBoxDay(criteria.fromDateText);
    toDay_ = dateBoxDay(criteria.toDateText);
    exclusion_.emplace(options.ExcludedFolders);
    compile(criteria);
}

bool MatchRequest::follow(const SearchCriteria& live)
{
    const bool changed = live.name != applied_.name || live.nameMatch != applied_.nameMatch ||
                         live.fileType != applied_.fileType ||
                         live.searchInsideChecked != applied_.searchInsideChecked ||
                         live.insideText != applied_.insideText || live.insideTypes != applied_.insideTypes ||
                         live.scope != applied_.scope || live.folder != applied_.folder;
    if (changed)
        compile(live);
    return changed;
}

void MatchRequest::compile(const SearchCriteria& criteria)
{
    applied_ = criteria;
    name_.compile(criteria.name, criteria.nameMatch, caseSensitive_);
    typeActive_ = !criteria.fileType.empty();
    typePattern_.assign(criteria.fileType);
    fastType_ = isAsciiText(typePattern_.folded());
    if (fastType_) {
        typeNames_.assign(typePattern_.folded());
        fastType_ = typeNames_.fits();
    }
    name_.prepareScan(nameScan_);
    if (!nameScan_.active() && typeActive_ && isAsciiText(typePattern_.folded())) {
        // An extension of the type follows a dot.
        const std::string dotAndType = "." + typePattern_.folded();
        nameScan_.assign(dotAndType, NameScan::Letters::EitherCase,
                         hasFoldsFromOutsideAscii(dotAndType) ? NameScan::OtherBytes::Stop
                                                              : NameScan::OtherBytes::PassOver);
    }
    folderScope_ = criteria.scope == SearchScope::Folder;
    scopeFolder_ = withTrailingSlash(criteria.folder);
}

bool MatchRequest::createdWithinDates(std::string_view created) const
{
    const auto date = parseDateText(created);
    if (!date)
        return false;
    const int64_t day = date->dayNumber();
    return (!fromDay_ || day > *fromDay_) && (!toDay_ || day < *toDay_);
}

} // namespace zephrix
