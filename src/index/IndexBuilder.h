#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "index/IndexContext.h"
#include "index/IndexMode.h"
#include "index/PairLock.h"

namespace zephrix {

// Whether a build brings the indexing window up when it starts. A search's
// build does; a background build is quiet and leaves the window as the user
// left it. Either way the window's labels follow the build, and it is
// hidden at the end.
enum class IndexingWindow { Show, Quiet };

enum class BuildOutcome {
    Built,      // the new pair is in place
    Failed,     // reported; the old pair is left, or none when it could not be left whole
    Cancelled,  // CancelIndexing stopped the walk: root has no pair now
    NotStarted, // CancelIndexing was set before anything was written: the pair is as it was
    Skipped,    // LockWait::Skip and another build of the pair was running: nothing touched
};

struct IndexBuildResult {
    static constexpr size_t UnreadableFoldersKept = 5;

    BuildOutcome outcome = BuildOutcome::Failed;
    // Folders below the root whose contents are missing from the pair: they
    // could not be opened or listed, or the details of their files could not
    // be read (no permission, a failing disk). The walk goes on without them.
    uint64_t unreadableFolders = 0;
    std::vector<std::string> firstUnreadableFolders; // full paths ending in '/', the first few
};

// Walks root (an absolute path ending in '/') breadth-first and writes its
// drive or folder pair into ctx.indexesDir. Progress goes to
// ctx.indexingView, failures to ctx.errors (11053, "description - root"); a
// cancelled or failed build leaves no half-written pair behind. The build
// holds the pair's lock (PairLock) from before its first temporary file to
// after its last rename; while another build holds it, it waits (yielding,
// and giving up when CancelIndexing is set) or skips, as wait says.
IndexBuildResult IndexDrive(IndexContext& ctx, const std::string& root, IndexMode mode, IndexingWindow window,
                            LockWait wait = LockWait::Wait);

} // namespace zephrix
