#pragma once
#include <cstdint>
#include <string>

namespace zephrix {

// The state of the running search and its coordination with background
// indexing. One copy lives as long as the window (or the command) does.
struct SearchState {
    bool SearchCancelled = false; // stops the matcher: Cancel Search or the results limit
    int64_t FilesSearchedCount = 0;
    int64_t FilesFoundCount = 0;
    int64_t ResultRowCount = 0; // rows this request added to the results list
    double SearchStartTime = 0; // seconds on the monotonic clock

    // Shared with the background indexer: a request that arrived while it was
    // building waits (SearchWaitingForIndex) and the indexer runs it again
    // when its pass ends.
    bool SearchWaitingForIndex = false;
    std::string BackgroundIndexRoot; // root of the last background or forced build
    bool BackgroundIndexing = false; // lblReindexing shows a root: a build is running
};

} // namespace zephrix
