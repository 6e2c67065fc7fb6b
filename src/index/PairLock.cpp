#include "index/PairLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "core/ErrorCodes.h"

namespace zephrix {
namespace {

// Between two looks at a lock another build holds: short enough that a
// waiting build starts soon after the other ends, long enough to cost
// nothing while it waits.
constexpr long PollNanoseconds = 5 * 1000 * 1000;

} // namespace

bool PairLock::openLockFile(const std::string& path, Kind kind)
{
    // Non-blocking and without following a link, so a FIFO or a link put in
    // its place can neither hold the build nor send it elsewhere.
    constexpr int Flags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    file_.reset(::open(path.c_str(), Flags | O_CREAT, 0644));
    if (!file_.isOpen() && kind == Kind::Shared && (errno == EACCES || errno == EROFS))
        file_.reset(::open(path.c_str(), Flags));
    if (!file_.isOpen()) {
        error_ = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(file_.get(), &st) != 0)
        error_ = errno;
    else if (!S_ISREG(st.st_mode))
        error_ = ErrorNumbers::NotRegularFile;
    else
        return true;
    file_.reset();
    return false;
}

PairLock::Result PairLock::acquire(const std::string& path, Kind kind, LockWait wait, const YieldFn& yield,
                                   const std::function<bool()>& stop)
{
    error_ = 0;
    if (!openLockFile(path, kind)) {
        // A reader in an indexes folder it may not write, where nobody has
        // made the lock file yet: only a build could make it, and a build of
        // ours cannot write there either, so there is nothing to wait for.
        if (kind == Kind::Shared && (error_ == EACCES || error_ == EROFS || error_ == ENOENT))
            return Result::Held;
        return Result::Failed;
    }
    const int operation = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    for (;;) {
        if (::flock(file_.get(), operation) == 0)
            return Result::Held;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            error_ = errno;
            file_.reset();
            return Result::Failed;
        }
        if (wait == LockWait::Skip) {
            file_.reset();
            return Result::Busy;
        }
        yield();
        if (stop && stop()) {
            file_.reset();
            return Result::Stopped;
        }
        const timespec pause{0, PollNanoseconds};
        ::nanosleep(&pause, nullptr);
    }
}

} // namespace zephrix
