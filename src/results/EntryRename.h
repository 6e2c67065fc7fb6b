#pragma once
#include <string>
#include <string_view>

namespace zephrix {

// Why a new name cannot be a name in a folder at all.
enum class NameProblem { None, Empty, HasSlash, HasNul, Reserved /* "." or ".." */, TooLong };
NameProblem checkNewName(std::string_view name);

enum class RenameResult {
    Renamed,
    InvalidName, // see checkNewName
    NameTaken,   // something of that name exists: file, folder, link, hidden or not
    EntryGone,   // nothing of the old name is there any more
    Failed,      // the file system refused; `error` says why
};
struct RenameOutcome {
    RenameResult result;
    int error = 0; // errno for Failed
};

// Renames folder/oldName to folder/newName within the folder, and never
// replaces anything already called newName. Changing only the case of a name
// is a rename like any other.
RenameOutcome renameWithoutReplacing(const std::string& folder, const std::string& oldName,
                                     const std::string& newName);

} // namespace zephrix
