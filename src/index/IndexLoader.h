#pragma once
#include <string>

#include "index/IndexContext.h"
#include "index/IndexMode.h"

namespace zephrix {

// Reads the drive or the folder pair of root into ctx.index. True when both
// files were read; then, and only then, ctx.LoadedIndexRoot is root.
// Failures are reported as 11054 with " Position: N". Holds the pair's lock
// shared while it reads, so it waits (yielding) while a build of the pair
// runs, and gives up without a report when CancelIndexing is set meanwhile.
bool LoadIndex(IndexContext& ctx, const std::string& root, IndexMode mode);

// True when the files of the pair in memory are still the ones it was read
// from: no build (of this process or another) has replaced them since.
bool LoadedPairIsCurrent(const IndexContext& ctx);

// Age in clock hours of root's drive pair: 100 when missing or empty, or when
// its stamp lies in the future; 9999 when root has no stem (reported as
// 11055).
int IndexAgeHours(IndexContext& ctx, const std::string& root);

} // namespace zephrix
