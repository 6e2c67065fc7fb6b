#pragma once
#include <string>

#include "index/IndexContext.h"
#include "index/IndexMode.h"

namespace zephrix {

// Whether a build brings the indexing window up when it starts. A search's
// build does; a background build is quiet and leaves the window as the user
// left it. Either way the window's labels follow the build, and it is
// hidden at the end.
enum class IndexingWindow { Show, Quiet };

// Walks root (an absolute path ending in '/') breadth-first and writes its
// drive or folder pair into ctx.indexesDir. Progress goes to
// ctx.indexingView, failures to ctx.errors (11053, "description - root"); a
// cancelled or failed build leaves no half-written pair behind.
void IndexDrive(IndexContext& ctx, const std::string& root, IndexMode mode, IndexingWindow window);

} // namespace zephrix
