#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// holds its stored form or folder is empty. Paths are compared byte for byte:
// /t/foo/ and /t/Foo/ are two folders.
std::optional<std::string> AddExcludedFolder(const std::vector<std::string>& table, std::string_view folder);

// The new stored value: the rows that are not selected, first to last.
std::string RemoveExcludedFolders(const std::vector<std::string>& rows, const std::vector<bool>& selected);

// Is a folder path excluded: it begins with some non-empty text of the
// table, byte for byte. Each text ends in '/', so /tmp/a/ takes /tmp/a/b/
// with it but neither /tmp/a2/ nor /tmp/A/ nor /x/tmp/a/.
class FolderExclusion {
  public:
    explicit FolderExclusion(const std::vector<std::string>& table);
    bool empty() const { return folders_.empty(); }
    bool excludes(std::string_view folderPath) const;

  private:
    std::vector<std::string> folders_;
};

} // namespace zephrix
