#include "cli/SearchArguments.h"

#include "cli/FolderArguments.h"
#include "core/DateText.h"
#include "core/TextFold.h"
#include "index/ExcludedFolders.h"

namespace zephrix::cli {
namespace {

// The texts the size picker puts into its box.
std::optional<std::string> sizeBoxText(const std::string& word)
{
    if (word == "any")
        return "Any";
    if (word == "small")
        return "Small (Less than 100 KB)";
    if (word == "medium")
        return "Medium (Less than 1 MB)";
    if (word == "large")
        return "Large (More than 1 MB)";
    return std::nullopt;
}

// A date box takes "any" or a date; anything else would quietly lift the
// restriction, as the window does with a date it cannot read.
bool isDateBoxText(const std::string& text)
{
    return lowerText(text) == SizeAny || parseDateText(text).has_value();
}

std::optional<NameMatch> nameMatchOf(const std::string& word)
{
    if (word == "contains")
        return NameMatch::Contains;
    if (word == "exactly")
        return NameMatch::Exactly;
    if (word == "starts")
        return NameMatch::StartsWith;
    if (word == "ends")
        return NameMatch::EndsWith;
    return std::nullopt;
}

} // namespace

bool parseSearchArguments(const std::vector<std::string>& args, SearchArguments& out, std::string& error)
{
    SearchCriteria& c = out.criteria;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = word + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string text;
        if (word == "--name") {
            if (!value(c.name))
                return false;
        } else if (word == "--match") {
            if (!value(text))
                return false;
            const auto match = nameMatchOf(text);
            if (!match) {
                error = "--match takes contains, exactly, starts or ends, not '" + text + "'";
                return false;
            }
            c.nameMatch = *match;
        } else if (word == "--case") {
            c.caseSensitive = true;
        } else if (word == "--type") {
            if (!value(c.fileType))
                return false;
        } else if (word == "--size") {
            if (!value(text))
                return false;
            const auto box = sizeBoxText(text);
            if (!box) {
                error = "--size takes any, small, medium or large, not '" + text + "'";
                return false;
            }
            c.sizeText = *box;
        } else if (word == "--from" || word == "--to") {
            std::string& box = word == "--from" ? c.fromDateText : c.toDateText;
            if (!value(box))
                return false;
            if (!isDateBoxText(box)) {
                error = word + " takes a date such as 3/1/2005, or any, not '" + box + "'";
                return false;
            }
        } else if (word == "--inside") {
            if (!value(c.insideText))
                return false;
            c.searchInsideChecked = true;
        } else if (word == "--inside-types") {
            if (!value(text))
                return false;
            out.insideTypes = text;
        } else if (word == "--drive") {
            if (!value(text))
                return false;
            out.drives.push_back(absoluteRoot(text));
        } else if (word == "--folder") {
            if (!value(text))
                return false;
            if (out.folder) {
                error = "only one --folder can be searched";
                return false;
            }
            out.folder = absoluteFolder(text);
        } else if (word == "--exclude") {
            if (!value(text))
                return false;
            if (!out.excludedFolders)
                out.excludedFolders.emplace();
            out.excludedFolders->push_back(ExcludedFolderStoredForm(absoluteFolder(text)));
        } else if (word == "--folders") {
            out.showFolders = true;
        } else if (word == "--no-folders") {
            out.showFolders = false;
        } else if (word == "--no-limit") {
            out.resultsLimit = true;
        } else if (word == "--force-index") {
            out.forceIndex = true;
        } else if (word == "--no-settings") {
            out.noSettings = true;
        } else {
            error = "unknown option '" + word + "'";
            return false;
        }
    }
    if (out.folder && out.drives.size() > 1) {
        error = "--folder takes at most one --drive, the drive that holds the folder";
        return false;
    }
    return true;
}

} // namespace zephrix::cli
