#include "index/IndexBuilder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>

#include "core/FileDescriptor.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"
#include "index/LiveTemporaries.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;
using Texts = std::vector<std::string>;

namespace {

const std::string OldEntries = "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n";

// Builds of a temporary tree, beside an older pair of the same root.
struct Builder : ::testing::Test {
    SearchHarness h;
    TempTree tree;
    std::string root = tree.path() + "/";

    Builder() { startAfresh(); }
    void startAfresh()
    {
        h.data.remove("indexes");
        h.data.dir("indexes");
        writeWholeFile(entriesFile(h.indexes, root), OldEntries);
        writeWholeFile(foldersFile(h.indexes, root), "1/1/2020\r\n" + root + "\r\n");
        h.view = {};
        h.onYield = [] {};
        h.yields = 0;
        h.ctx.CancelIndexing = false;
    }
    Texts indexFiles() const
    {
        Texts names;
        for (const auto& entry : std::filesystem::directory_iterator(h.indexes))
            if (entry.path().extension() != ".lock")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    bool oldPairIsThere() const
    {
        return readWholeFile(entriesFile(h.indexes, root)) == OldEntries && indexFiles().size() == 2;
    }
    void files(const std::string& folder, int count) const
    {
        for (int i = 0; i < count; ++i)
            tree.file(folder + "f" + std::to_string(i), "");
    }
};

} // namespace

TEST_F(Builder, CancelTakesEffectOnlyAtItsChecks)
{
    struct Case {
        const char* moment;
        std::function<void()> arm;
        Texts filesShown;
    } cases[] = {
        // Nothing starts, not even the window, and the old pair stays.
        {"before the start", [this] { h.ctx.CancelIndexing = true; }, {}},
        // The root's files finish although Cancel came during them.
        {"during the root's files",
         [this] { h.onYield = [this] { h.ctx.CancelIndexing = true; }; },
         {"Files Found: 100", "Files Found: 200"}},
        // Folder 1's files finish; folder 2 is not opened.
        {"before a later folder",
         [this] { h.onYield = [this] { h.ctx.CancelIndexing |= h.yields == 3; }; },
         {"Files Found: 100", "Files Found: 200", "Files Found: 300", "Files Found: 400"}},
    };
    files("", 250);
    files("one/", 150);
    files("one/two/", 100);
    for (const auto& c : cases) {
        startAfresh();
        c.arm();
        IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Show);
        EXPECT_EQ(h.view.all("frmIndexing.lblFilesFound"), c.filesShown) << c.moment;
        EXPECT_TRUE(h.errors.reports.empty()) << c.moment;
        if (c.filesShown.empty() && h.view.calls.empty()) {
            EXPECT_TRUE(oldPairIsThere()) << c.moment;
            continue;
        }
        // No index at all: neither the new pair, nor its temporaries, nor the old one.
        EXPECT_EQ(indexFiles(), Texts{}) << c.moment;
        EXPECT_EQ(h.view.last("frmIndexing"), "off") << c.moment;
    }
}

TEST_F(Builder, AFullDiskLeavesTheOldPairAndNoTemporaries)
{
    // A file size limit makes the write fail half-way, as a full disk would.
    for (int i = 0; i < 2000; ++i)
        tree.file("a-rather-long-file-name-to-fill-the-entries-file-" + std::to_string(i));
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
        ::_exit(h.errors.reports.size() == 1 && h.errors.reports[0].number == EFBIG &&
                        h.errors.reports[0].location == 11053
                    ? 0
                    : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(oldPairIsThere());
}

TEST_F(Builder, AHalfReplacedPairIsRemovedRatherThanMixed)
{
    // A folder in the way makes the entries file's rename fail after the
    // folders file was replaced: the old entries would number the new folders.
    files("", 3);
    std::filesystem::remove(entriesFile(h.indexes, root));
    std::filesystem::create_directory(entriesFile(h.indexes, root));
    IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_EQ(h.errors.reports.size(), 1u);
    EXPECT_EQ(h.errors.reports[0].location, 11053);
    EXPECT_EQ(indexFiles(), Texts{std::filesystem::path(entriesFile(h.indexes, root)).filename()});
}

TEST_F(Builder, FoldersAndFilesThatVanishDuringTheWalkAreSkipped)
{
    files("", 150);
    tree.file("vanishing/gone.txt");
    tree.file("vanishing/below/gone-too.txt");
    tree.file("staying/kept.txt");
    // The folder goes when found; the root's other files after 100 are written.
    h.view.onCall = [&](const std::string& call) {
        if (call == "frmIndexing.lblStatus:" + root + "vanishing/")
            tree.remove("vanishing");
    };
    h.onYield = [&] {
        for (int i = 0; i < 150; ++i)
            ::unlink(tree.at("f" + std::to_string(i)).c_str());
    };
    IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_TRUE(h.errors.reports.empty());
    const StoredPair pair = readStoredPair(h.indexes, root);
    EXPECT_EQ(std::set<std::string>(pair.folders.begin(), pair.folders.end()),
              (std::set<std::string>{root, root + "vanishing/", root + "staying/"}));
    ASSERT_EQ(pair.entries.size(), 101u);
    EXPECT_EQ(pair.entries.back().name, "kept.txt");
}

// The program ending inside a build's yield: its half-written files go, the old pair stays.
TEST_F(Builder, ABuildCutShortLeavesItsOldPairAndNoTemporaries)
{
    files("", 250);
    h.onYield = [&] {
        if (h.yields > 1)
            return;
        EXPECT_EQ(indexFiles().size(), 4u); // the new pair's temporaries
        EXPECT_EQ(removeLiveTemporaries(), 2);
        EXPECT_TRUE(oldPairIsThere());
    };
    IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_GT(h.yields, 0);
    EXPECT_EQ(removeLiveTemporaries(), 0);
}

// Another holder of the pair's lock (its own open file description, flocking as another process):
// a build waits unless cancelled, the background pass's build skips, a load waits.
TEST_F(Builder, TheLockMakesBuildsAndLoadsWaitOrSkip)
{
    const std::string lock = IndexFormat::pairPaths(h.indexes, root, IndexMode::Drive)->lock;
    FileDescriptor other;
    // Held until whoever waits yields a third time; then let go, or Cancel pressed.
    auto hold = [&](int operation, bool thenCancel) {
        other.reset(::open(lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644));
        ASSERT_EQ(::flock(other.get(), operation), 0);
        h.yields = 0;
        h.onYield = [&, thenCancel] {
            if (h.yields == 3 && thenCancel)
                h.ctx.CancelIndexing = true;
            else if (h.yields == 3)
                other.reset();
        };
    };
    files("", 1);
    for (const auto& [held, wait, cancel, outcome] :
         {std::tuple{LOCK_SH, LockWait::Wait, false, BuildOutcome::Built},
          {LOCK_EX, LockWait::Wait, false, BuildOutcome::Built},
          {LOCK_EX, LockWait::Skip, false, BuildOutcome::Skipped},
          {LOCK_EX, LockWait::Wait, true, BuildOutcome::NotStarted}}) {
        startAfresh();
        hold(held, cancel);
        EXPECT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet, wait).outcome, outcome);
        EXPECT_EQ(h.yields, wait == LockWait::Skip ? 0 : 3);
        EXPECT_EQ(oldPairIsThere(), outcome != BuildOutcome::Built);
        other.reset();
    }

    startAfresh();
    ASSERT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet).outcome, BuildOutcome::Built);
    EXPECT_TRUE(std::filesystem::exists(lock)); // left for the next build to lock
    for (bool cancel : {false, true}) {
        hold(LOCK_EX, cancel);
        EXPECT_EQ(LoadIndex(h.ctx, root, IndexMode::Drive), !cancel);
        EXPECT_EQ(h.yields, 3); // after clearing the tables, then after two tries
        other.reset();
    }
    EXPECT_TRUE(h.ctx.LoadedIndexRoot.empty());
    EXPECT_TRUE(h.errors.reports.empty());
}
