#pragma once
#include <vector>

#include "drives/DriveCatalogue.h"
#include "index/IndexContext.h"

namespace zephrix {

// State with one copy for the life of the process, created empty on first use.

// The in-memory index (IndexEntries, IndexFolders, LoadedIndexRoot) with the
// build flags and the services builds and loads report through.
IndexContext& indexContext();

// The drive catalogue, filled by the start-up steps.
std::vector<Drive>& DriveList();

} // namespace zephrix
