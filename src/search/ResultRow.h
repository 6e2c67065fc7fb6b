#pragma once
#include <string>

namespace zephrix {

// One row of a results list: six text cells. The full path of the file or
// folder is always path followed by name. Icons are the list's business: it
// looks one up for fullPath() (a folder's as stored, ending in '/') when the
// ShowIcons option is on.
struct ResultRow {
    std::string name;
    std::string path; // the folder holding the entry, ending in '/'
    std::string fileType;
    std::string size; // digits grouped by thousands; empty for 0
    std::string dateCreated;
    std::string dateModified;
    bool isFolder = false;

    std::string fullPath() const { return isFolder ? path + name + '/' : path + name; }
};

} // namespace zephrix
