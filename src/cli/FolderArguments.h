#pragma once
#include <string>

namespace zephrix::cli {

// A folder named on the command line as an absolute path (made so against
// the working folder), without "." and "..", and without a trailing '/'
// ("/" stays "/").
std::string absoluteFolder(const std::string& argument);

// The same folder as a root, ending in '/' as every root does.
std::string absoluteRoot(const std::string& argument);

// The mount point that holds path (the longest mount point of the table that
// is a whole-component prefix of it), ending in '/'; "/" when none is read.
std::string mountPointOf(const std::string& path, const std::string& mountTable = "/proc/self/mounts");

} // namespace zephrix::cli
