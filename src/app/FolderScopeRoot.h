#pragma once
#include <string>
#include <vector>

#include "drives/DriveCatalogue.h"

namespace zephrix {

// The drive whose index a folder search reads: the drive of the catalogue
// whose root is the longest leading part of `folder` (the mount that holds
// the folder), or `shownRoot` (the drive box) when none holds it. The drive
// box alone can name another drive than the folder tree shows, after a
// drive that could not be read was replaced there, and a search of the
// folder in that drive's index would find nothing.
std::string folderScopeRoot(const std::string& folder, const std::vector<Drive>& drives,
                            const std::string& shownRoot);

} // namespace zephrix
