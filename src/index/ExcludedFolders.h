#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/TextFold.h"

namespace zephrix {

// The folders whose contents never appear in results. The setting holds them
// joined by '|', each a full path ending in exactly one '/'. These helpers
// take and give that stored text; reading and writing the setting is the
// front end's job.

// The table of the setting: its parts split at '|', or one empty text when it
// is empty. Empty texts are ignored everywhere.
std::vector<std::string> SplitExcludedFolders(std::string_view stored);

// The rows the list shows: the non-empty texts in descending text order.
std::vector<std::string> ExcludedFolderRows(const std::vector<std::string>& table);

// A folder path with exactly one '/' at its end.
std::string ExcludedFolderStoredForm(std::string_view folder);

// The new stored value with folder appended, or nothing when the table already
// holds its stored form (compared without regard to case) or folder is empty.
std::optional<std::string> AddExcludedFolder(const std::vector<std::string>& table, std::string_view folder);

// The new stored value: the rows that are not selected, first to last.
std::string RemoveExcludedFolders(const std::vector<std::string>& rows, const std::vector<bool>& selected);

// Is a folder path excluded: some non-empty text of the table occurs anywhere
// in it, without regard to case. Each text ends in '/', so /tmp/a/ takes
// /tmp/a/b/ with it but not /tmp/a2/.
class FolderExclusion {
  public:
    explicit FolderExclusion(const std::vector<std::string>& table);
    bool empty() const { return patterns_.empty(); }
    bool excludes(std::string_view folderPath) const;

  private:
    std::vector<FoldedPattern> patterns_;
};

} // namespace zephrix
