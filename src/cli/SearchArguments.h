#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/SearchCriteria.h"

namespace zephrix::cli {

// The words after "search", sorted into the request and the options; an
// option left out is left empty here, to be taken from the settings store or
// the defaults.
struct SearchArguments {
    SearchCriteria criteria;           // drives and folder left empty: see below
    std::vector<std::string> drives;   // --drive, as absolute roots ending in '/'
    std::optional<std::string> folder; // --folder, absolute, without a trailing '/'
    std::optional<std::string> insideTypes;
    std::optional<std::vector<std::string>> excludedFolders; // stored forms
    std::optional<bool> showFolders;                         // --folders, --no-folders
    std::optional<bool> resultsLimit;                        // --no-limit lifts the limit, as the option does
    std::optional<bool> forceIndex;                          // --force-index
    bool noSettings = false;
};

// False with a message for words that do not make a request.
bool parseSearchArguments(const std::vector<std::string>& args, SearchArguments& out, std::string& error);

} // namespace zephrix::cli
