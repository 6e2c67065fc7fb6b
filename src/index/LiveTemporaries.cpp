#include "index/LiveTemporaries.h"

#include <unistd.h>

#include <mutex>
#include <set>

namespace zephrix {
namespace {

// A handful of names at most (one build writes two files at a time), so a
// set under one lock is plenty; the lock keeps a builder on another thread
// from changing it while the program ends.
std::mutex& registryLock()
{
    static std::mutex lock;
    return lock;
}

std::set<std::string>& registry()
{
    static std::set<std::string>* paths = new std::set<std::string>;
    return *paths;
}

} // namespace

void registerLiveTemporary(const std::string& path)
{
    const std::lock_guard<std::mutex> hold(registryLock());
    registry().insert(path);
}

void forgetLiveTemporary(const std::string& path)
{
    const std::lock_guard<std::mutex> hold(registryLock());
    registry().erase(path);
}

int removeLiveTemporaries()
{
    const std::lock_guard<std::mutex> hold(registryLock());
    int removed = 0;
    for (const std::string& path : registry())
        removed += ::unlink(path.c_str()) == 0 ? 1 : 0;
    registry().clear();
    return removed;
}

} // namespace zephrix
