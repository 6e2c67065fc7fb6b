#pragma once
#include <functional>
#include <string>

#include "core/EngineHost.h"
#include "core/FileDescriptor.h"

namespace zephrix {

// What a build does when another build of the same pair runs: wait for it
// to end (the command line, and a build the user asked for in the window),
// or leave the pair alone this time (the background pass, which comes back).
enum class LockWait { Wait, Skip };

// The advisory lock of one index pair: flock on a lock file beside the pair,
// named after its stem. A build holds it exclusively from before its first
// temporary file to after its last rename; a load holds it shared while it
// reads both files. So a reader never takes the files of two builds for one
// pair, and two builds never interleave their renames, whichever processes
// they run in. The lock file is never deleted: a process deleting it could
// leave one holder locking a file that lost its name while the next one
// locks a new file of that name, and both would go ahead.
class PairLock {
  public:
    enum class Kind { Shared, Exclusive };
    enum class Result {
        Held,    // locked (or, for a reader of a folder it cannot write, no lock is needed)
        Busy,    // LockWait::Skip and another process holds it
        Stopped, // stop() said so while waiting
        Failed,  // the lock file cannot be made or opened: error()
    };

    // Locks the file at path, creating it when missing. Waiting polls the
    // lock (a blocking flock could not be cancelled), calling yield between
    // tries so the front end stays alive, and gives up when stop() holds.
    Result acquire(const std::string& path, Kind kind, LockWait wait, const YieldFn& yield,
                   const std::function<bool()>& stop);
    // Releases the lock; closing the file would too.
    void release() { file_.reset(); }

    int error() const { return error_; }

  private:
    bool openLockFile(const std::string& path, Kind kind);

    FileDescriptor file_;
    int error_ = 0;
};

} // namespace zephrix
