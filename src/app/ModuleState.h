#pragma once
#include <vector>

#include "drives/DriveCatalogue.h"

namespace zephrix {

// The drive catalogue, filled by the start-up steps; one copy for the life
// of the process, created empty on first use.
std::vector<Drive>& DriveList();

} // namespace zephrix
