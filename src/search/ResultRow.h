#pragma once
#include <cstdint>
#include <limits>
#include <string>

namespace zephrix {

// A date a row does not have: folder rows, and a stored date that is not one.
inline constexpr int64_t NoTime = std::numeric_limits<int64_t>::min();

// One row of a results list, in raw values: each front end formats the cells
// itself and sorts on these values, never on display text. The full path of
// the file or folder is always path followed by name.
struct ResultRow {
    std::string name; // bytes as the file system gave them
    std::string path; // the folder holding the entry, ending in '/'
    std::string
        fileType;      // the extension as listed (lower-cased when the request had a type); empty for folders
    uint64_t size = 0; // bytes; the Size cell is empty for 0
    int64_t created = NoTime;  // local calendar seconds (LocalDateTime::localSeconds)
    int64_t modified = NoTime; // of the dates the index holds
    bool isFolder = false;

    // A folder's as stored in the index, ending in '/'.
    std::string fullPath() const { return isFolder ? path + name + '/' : path + name; }
};

} // namespace zephrix
