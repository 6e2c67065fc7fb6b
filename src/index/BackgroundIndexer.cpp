#include "index/BackgroundIndexer.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <new>
#include <system_error>

#include "core/DecimalText.h"
#include "core/ErrorCodes.h"
#include "core/ScopedFlag.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"

namespace zephrix {
namespace {

// Stands in front of the context's reporter while one root is handled, to
// learn whether its age check or build failed; every report still goes on.
class ReportCounter : public ErrorReporter {
  public:
    explicit ReportCounter(IndexContext& ctx) : ctx_(ctx), next_(ctx.errors) { ctx_.errors = this; }
    ~ReportCounter() override { ctx_.errors = next_; }
    ReportCounter(const ReportCounter&) = delete;
    ReportCounter& operator=(const ReportCounter&) = delete;

    void reportError(int location, int number, const std::string& description) override
    {
        ++count;
        if (next_)
            next_->reportError(location, number, description);
    }
    int count = 0;

  private:
    IndexContext& ctx_;
    ErrorReporter* next_;
};

bool entriesFileExists(const IndexContext& ctx, const std::string& root)
{
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, IndexMode::Drive);
    struct stat details {};
    return paths && ::stat(paths->entries.c_str(), &details) == 0;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

BackgroundIndexer::BackgroundIndexer(IndexContext& ctx, BackgroundIndexView& view, RootCheck check)
    : ctx_(ctx), view_(view), check_(check)
{
}

void BackgroundIndexer::tmrIndexer_Timer()
{
    // A tick that reaches here through the yields of a build, or while a
    // search runs, would start a second build of the same files.
    if (busy_ || view_.searchRunning())
        return;
    ScopedFlag busy(busy_);
    if (forcePending_)
        runForcedReIndex();
    else
        runPass();
}

void BackgroundIndexer::cmdForceIndex_Click()
{
    if (ctx_.BackgroundIndexing) {
        view_.showIndexingWindow();
        return;
    }
    // A search may be building through these yields: the re-index waits for
    // it to end rather than stopping it or writing beside it.
    if (busy_ || view_.searchRunning()) {
        forcePending_ = true;
        return;
    }
    ScopedFlag busy(busy_);
    runForcedReIndex();
}

void BackgroundIndexer::searchEnded()
{
    if (!forcePending_ || busy_ || view_.searchRunning() || ctx_.BackgroundIndexing)
        return;
    ScopedFlag busy(busy_);
    runForcedReIndex();
}

void BackgroundIndexer::runPass()
{
    int position = 1;
    try {
        const int rows = view_.indexDriveCount();
        for (int row = 0; row < rows; ++row) {
            position = 2;
            if (!view_.indexDriveChecked(row))
                continue;
            const std::string root = view_.indexDriveRoot(row);
            if (heldOff(root))
                continue;
            if (!entriesFileExists(ctx_, root)) {
                if (mayBuild(root))
                    build(root, IndexingWindow::Quiet, LockWait::Skip);
                continue;
            }
            position = 3;
            bool due = false;
            {
                ReportCounter reports(ctx_);
                const int age = IndexAgeHours(ctx_, root);
                due = reindexIntervalHours(view_.reindexHoursText()) < age;
                // A stamp that cannot be read would be reported again on
                // every tick while no rebuild is due to replace it.
                if (reports.count > 0 && !due)
                    retryAt_[root] = std::chrono::steady_clock::now() + retryDelay_;
            }
            if (!due || !mayBuild(root))
                continue;
            const BuildOutcome outcome = build(root, IndexingWindow::Quiet, LockWait::Skip);
            position = 4;
            // The pair in memory is that root's, and the files changed.
            if (ctx_.LoadedIndexRoot == root && outcome != BuildOutcome::Skipped &&
                outcome != BuildOutcome::NotStarted)
                LoadIndex(ctx_, root, IndexMode::Drive);
        }
        setReindexing({});
        position = 5;
        if (ctx_.SearchWaitingForIndex) {
            ctx_.SearchWaitingForIndex = false;
            view_.runWaitingSearch();
        }
    } catch (...) {
        // lblReindexing keeps its text until a later pass ends normally.
        reportFailure(PassLocation, " Position: " + std::to_string(position));
    }
}

void BackgroundIndexer::runForcedReIndex()
{
    forcePending_ = false;
    try {
        view_.setForceIndexEnabled(false);
        view_.setIndexerTimerEnabled(false);
        // The user asked for this build: a Cancel Search pressed earlier must
        // not turn it into nothing.
        ctx_.CancelIndexing = false;
        const int rows = view_.indexDriveCount();
        for (int row = 0; row < rows; ++row) {
            if (!view_.indexDriveChecked(row))
                continue;
            const std::string root = view_.indexDriveRoot(row);
            if (mayBuild(root))
                build(root, IndexingWindow::Show, LockWait::Wait);
        }
    } catch (...) {
        reportFailure(ForceLocation, {});
    }
    // Also after a failure: a label left set would make every later search
    // wait for a build that is not running, and nothing would clear it.
    try {
        setReindexing({});
        view_.setIndexerTimerEnabled(true);
        view_.setForceIndexEnabled(true);
    } catch (...) {
        reportFailure(ForceLocation, {});
    }
}

BuildOutcome BackgroundIndexer::build(const std::string& root, IndexingWindow window, LockWait wait)
{
    setReindexing(ReindexingText + root);
    ctx_.BackgroundIndexRoot = root;
    ctx_.yield();
    ReportCounter reports(ctx_);
    const BuildOutcome outcome = IndexDrive(ctx_, root, IndexMode::Drive, window, wait).outcome;
    if (reports.count == 0)
        retryAt_.erase(root);
    else
        retryAt_[root] = std::chrono::steady_clock::now() + retryDelay_;
    return outcome;
}

bool BackgroundIndexer::heldOff(const std::string& root) const
{
    const auto found = retryAt_.find(root);
    return found != retryAt_.end() && std::chrono::steady_clock::now() < found->second;
}

bool BackgroundIndexer::mayBuild(const std::string& root) const
{
    return check_ == RootCheck::AnyFolder || rootIsMounted(root);
}

void BackgroundIndexer::setReindexing(const std::string& text)
{
    ctx_.BackgroundIndexing = !text.empty();
    view_.setReindexing(text);
}

void BackgroundIndexer::reportFailure(int location, const std::string& suffix)
{
    if (!ctx_.errors)
        return;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        ctx_.errors->reportError(location, ENOMEM, "Out of memory" + suffix);
    } catch (const std::system_error& e) {
        ctx_.errors->reportError(location, e.code().value(), e.what() + suffix);
    } catch (const std::exception& e) {
        ctx_.errors->reportError(location, ErrorNumbers::InvalidArgument, e.what() + suffix);
    } catch (...) {
        ctx_.errors->reportError(location, ErrorNumbers::InvalidArgument, "Unknown failure" + suffix);
    }
}

int reindexIntervalHours(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return DefaultReindexHours;
    const auto hours = parseDecimal(text, INT_MAX);
    if (!hours)
        return INT_MAX; // all digits, beyond the range
    return *hours == 0 ? DefaultReindexHours : static_cast<int>(*hours);
}

bool rootIsMounted(const std::string& root)
{
    struct statx details {};
    if (::statx(AT_FDCWD, root.c_str(), 0, STATX_TYPE, &details) != 0 || !S_ISDIR(details.stx_mode))
        return false;
    if (details.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return (details.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    // Kernels before 5.8 do not tell; a mount point then lies on another
    // device than its parent, or is its own parent ("/").
    struct stat self {};
    struct stat parent {};
    if (::stat(root.c_str(), &self) != 0 || ::stat((root + "/..").c_str(), &parent) != 0)
        return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

} // namespace zephrix
