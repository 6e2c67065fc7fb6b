#pragma once
#include <string>

#include "index/IndexContext.h"

namespace zephrix {

constexpr int DriveIndexMode = 0;  // the pair named after the root's stem
constexpr int FolderIndexMode = 1; // the single-folder pair temp.idx / temppaths.idx

// Walks root (an absolute path ending in '/') breadth-first and writes its
// index pair into ctx.indexesDir. Progress goes to ctx.indexingView, failures
// to ctx.errors (11053, "description - root"); a cancelled or failed build
// leaves no half-written pair behind.
void IndexDrive(IndexContext& ctx, const std::string& root, int mode, bool quiet);

} // namespace zephrix
