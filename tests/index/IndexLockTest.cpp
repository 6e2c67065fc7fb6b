// The pair lock as builds, loads and the background pass meet it. The other
// holder is an open file description of its own, which flock treats just as
// it treats another process's.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/FileDescriptor.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

struct IndexLockTest : ::testing::Test {
    SearchHarness h;
    TempTree tree;
    std::string root = tree.path() + "/";
    IndexFormat::PairPaths pair = *IndexFormat::pairPaths(h.indexes, root, IndexMode::Drive);
    FileDescriptor other;

    IndexLockTest() { tree.file("a.txt", "a"); }
    // Holds the lock until the third yield of whoever waits, then lets go,
    // or presses Cancel instead.
    void holdLockForThreeYields(int operation, bool thenCancel)
    {
        other.reset(::open(pair.lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644));
        ASSERT_EQ(::flock(other.get(), operation), 0);
        h.yields = 0;
        h.onYield = [this, thenCancel] {
            if (h.yields == 3 && thenCancel)
                h.ctx.CancelIndexing = true;
            else if (h.yields == 3)
                other.reset();
        };
    }
};

} // namespace

TEST_F(IndexLockTest, ABuildWaitsSkipsOrGivesUpWhileAnotherHoldsTheLock)
{
    // Held by a load or a build: the build waits for its end, the background pass skips at once.
    for (const auto& [held, wait, cancel, outcome] :
         {std::tuple{LOCK_SH, LockWait::Wait, false, BuildOutcome::Built},
          {LOCK_EX, LockWait::Wait, false, BuildOutcome::Built},
          {LOCK_EX, LockWait::Skip, false, BuildOutcome::Skipped},
          {LOCK_EX, LockWait::Wait, true, BuildOutcome::NotStarted}}) {
        writeWholeFile(pair.entries, "old");
        holdLockForThreeYields(held, cancel);
        EXPECT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet, wait).outcome, outcome);
        EXPECT_EQ(h.yields, wait == LockWait::Skip ? 0 : 3);
        EXPECT_EQ(readWholeFile(pair.entries) == "old", outcome != BuildOutcome::Built);
        other.reset();
        h.ctx.CancelIndexing = false;
    }
    EXPECT_TRUE(h.errors.reports.empty());
    // The lock file stays, readable by all, for the next build to lock.
    struct stat st {};
    ASSERT_EQ(::stat(pair.lock.c_str(), &st), 0);
    const mode_t umask = ::umask(0);
    ::umask(umask);
    EXPECT_EQ(st.st_mode & 0777, 0644u & ~umask);
}

TEST_F(IndexLockTest, ALoadWaitsForABuildOrGivesUpOnCancel)
{
    ASSERT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet).outcome, BuildOutcome::Built);
    holdLockForThreeYields(LOCK_EX, false);
    EXPECT_TRUE(LoadIndex(h.ctx, root, IndexMode::Drive));
    EXPECT_EQ(h.yields, 3); // after clearing the tables, then after two tries

    holdLockForThreeYields(LOCK_EX, true);
    EXPECT_FALSE(LoadIndex(h.ctx, root, IndexMode::Drive));
    EXPECT_TRUE(h.ctx.LoadedIndexRoot.empty());
    EXPECT_TRUE(h.errors.reports.empty());
}
