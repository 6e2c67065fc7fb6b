#pragma once
#include <cstdint>

namespace zephrix {

// The state of the running search. One copy lives as long as the window (or the command) does.
struct SearchState {
    bool SearchCancelled = false; // stops the matcher: Cancel Search or the results limit
    int64_t FilesSearchedCount = 0;
    int64_t FilesFoundCount = 0;
    int64_t ResultRowCount = 0; // rows this request added to the results list
    double SearchStartTime = 0; // seconds on the monotonic clock
};

} // namespace zephrix
