#pragma once
#include <string>

namespace zephrix {

// Folder paths end in '/' wherever the program keeps them (drive roots,
// folder texts of the index, the folder searched), so that appending a name
// gives a full path and a prefix test cannot take /tmp/a2/ for /tmp/a/.
inline std::string withTrailingSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path;
}

} // namespace zephrix
