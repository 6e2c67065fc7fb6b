#pragma once
#include <string>

namespace zephrix {

// The temporaries this process is writing right now (index files not yet
// renamed into place). A program that ends at once, without unwinding, calls
// removeLiveTemporaries() first: the half-written files go and the pairs
// they would have replaced stay as they were.
void registerLiveTemporary(const std::string& path);
void forgetLiveTemporary(const std::string& path);
// Deletes every temporary still registered; returns how many it deleted.
int removeLiveTemporaries();

} // namespace zephrix
