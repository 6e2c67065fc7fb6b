#include "index/BackgroundIndexer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>

#include <cstring>
#include <deque>
#include <filesystem>

#include "core/FileDescriptor.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

const std::string Reindexing = BackgroundIndexer::ReindexingText;

// The Options page as the indexer sees it, keeping every label text.
struct IndexerView : BackgroundIndexView {
    std::vector<std::pair<std::string, bool>> rows; // root, ticked
    std::string hours = "3";
    std::vector<std::string> reindexing;
    int indexingShown = 0;
    bool forceEnabled = true, timerEnabled = true;
    SearchDriver* driver = nullptr;

    int indexDriveCount() const override { return int(rows.size()); }
    bool indexDriveChecked(int row) const override { return rows[row].second; }
    std::string indexDriveRoot(int row) const override { return rows[row].first; }
    std::string reindexHoursText() const override { return hours; }
    void setReindexing(const std::string& text) override { reindexing.push_back(text); }
    void showIndexingWindow() override { ++indexingShown; }
    void setForceIndexEnabled(bool enabled) override { forceEnabled = enabled; }
    void setIndexerTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    bool searchRunning() const override { return driver->running(); }
    void runWaitingSearch() override { driver->cmdSearch_Click(); }
};

// A build stamp `hours` clock hours ago, counted on the calendar as the age check does.
std::string stampHoursAgo(int hours)
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    ::localtime_r(&now, &t);
    return dateText(
        localTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour - hours, t.tm_min, t.tm_sec));
}

struct BackgroundIndexerTest : ::testing::Test {
    SearchHarness h;
    IndexerView view;
    BackgroundIndexer indexer{h.ctx, view, BackgroundIndexer::RootCheck::AnyFolder};
    std::deque<TempTree> drives;

    BackgroundIndexerTest() { view.driver = &h.driver; }

    // A folder standing for a drive, holding files f000.txt ..., in the list.
    std::string addDrive(int files)
    {
        TempTree& tree = drives.emplace_back();
        for (int i = 0; i < files; ++i)
            tree.file("f" + std::to_string(1000 + i).substr(1) + ".txt", "x");
        view.rows.push_back({tree.path() + "/", true});
        return tree.path() + "/";
    }
    bool pairExists(const std::string& root) const
    {
        return std::filesystem::exists(entriesFile(h.indexes, root));
    }
    std::string stamp(const std::string& root) const { return readStoredPair(h.indexes, root).entriesStamp; }
    // Gives both files of root's real pair the stamp of an older build.
    void restamp(const std::string& root, const std::string& when) const
    {
        for (const std::string& path : {entriesFile(h.indexes, root), foldersFile(h.indexes, root)}) {
            const std::string text = readWholeFile(path);
            writeWholeFile(path, when + text.substr(text.find("\r\n")));
        }
    }
    // How often the indexing window was brought up, by a build or a waiting search.
    long windowShown() const
    {
        const auto calls = h.view.all("frmIndexing");
        return std::count(calls.begin(), calls.end(), "on");
    }
    static std::vector<std::string> built(const std::string& root) { return {Reindexing + root, ""}; }
};

TEST_F(BackgroundIndexerTest, FirstPassBuildsMissingIndexesOfTickedDrivesOnly)
{
    const std::string ticked = addDrive(3);
    const std::string untickedDuringPass = addDrive(1);
    // A drive another build is writing is skipped, and built on a later tick.
    const std::string held = addDrive(1);
    FileDescriptor other(::open(IndexFormat::pairPaths(h.indexes, held, IndexMode::Drive)->lock.c_str(),
                                O_RDONLY | O_CREAT | O_CLOEXEC, 0644));
    ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);
    h.onYield = [this] { view.rows[1].second = false; };
    indexer.tmrIndexer_Timer();

    EXPECT_TRUE(pairExists(ticked));
    EXPECT_FALSE(pairExists(untickedDuringPass));
    EXPECT_FALSE(pairExists(held));
    EXPECT_EQ(view.reindexing, (std::vector<std::string>{Reindexing + ticked, Reindexing + held, ""}));
    EXPECT_FALSE(h.ctx.BackgroundIndexing);
    EXPECT_EQ(windowShown() + view.indexingShown, 0);
    other.reset();
    indexer.tmrIndexer_Timer();
    EXPECT_TRUE(pairExists(held));
    EXPECT_TRUE(h.errors.reports.empty());
}

TEST_F(BackgroundIndexerTest, RebuildsOnlyWhenTheIntervalIsLessThanTheAge)
{
    // Interval text, age, rebuilt: texts that are no whole number from 1 up stand for 3 hours.
    const std::tuple<const char*, int, bool> cases[] = {
        {"24", 24, false}, {"24", 25, true}, {" 12 ", 13, true},           {"0", 3, false},
        {"0", 4, true},    {"2.5", 4, true}, {"99999999999", 9000, false}, {"3", -2, true}};
    const std::string root = addDrive(2);
    indexer.tmrIndexer_Timer();
    // A rebuilt pair that is in memory is read again (checked at the end).
    ASSERT_TRUE(LoadIndex(h.ctx, root, IndexMode::Drive));
    drives[0].file("new.txt");
    for (const auto& [hours, age, rebuilt] : cases) {
        SCOPED_TRACE(std::string("interval '") + hours + "', age " + std::to_string(age));
        const std::string old = stampHoursAgo(age);
        restamp(root, old);
        view.hours = hours;
        view.reindexing.clear();
        indexer.tmrIndexer_Timer();
        EXPECT_EQ(stamp(root) != old, rebuilt);
        EXPECT_EQ(view.reindexing, rebuilt ? built(root) : std::vector<std::string>{""});
    }
    EXPECT_EQ(h.ctx.index.entryCount(), 3u);
    EXPECT_TRUE(h.errors.reports.empty());
}

// A tick and Force Index at every yield of the pass's build; Search, clicked once, runs at the end.
TEST_F(BackgroundIndexerTest, ClicksAndTicksDuringAPassStartNoSecondBuild)
{
    const std::string root = addDrive(250);
    h.request({root}, "f14");
    h.onYield = [this] {
        if (!h.ctx.BackgroundIndexing)
            return;
        indexer.tmrIndexer_Timer();
        indexer.cmdForceIndex_Click();
        if (!h.ctx.SearchWaitingForIndex)
            h.search();
    };
    indexer.tmrIndexer_Timer();

    EXPECT_EQ(view.reindexing, built(root));
    EXPECT_FALSE(indexer.forceIndexPending());
    EXPECT_GE(view.indexingShown, 2);
    EXPECT_EQ(windowShown(), 1); // by the waiting search: no build with a window of its own
    EXPECT_FALSE(h.ctx.SearchWaitingForIndex);
    EXPECT_TRUE(h.view.last("lblSearchTime").starts_with("Results Returned In: "));
    EXPECT_EQ(h.view.rows.size(), 10u); // f140.txt to f149.txt
}

TEST_F(BackgroundIndexerTest, ForceRebuildsEveryTickedDriveWithTheWindowOnceNoSearchRuns)
{
    const std::string ticked = addDrive(150);
    IndexDrive(h.ctx, ticked, IndexMode::Drive, IndexingWindow::Quiet);
    restamp(ticked, stampHoursAgo(1));
    // Asked for (and ticked) while a search runs, it waits for the search's end.
    h.request({ticked}, "f");
    h.onYield = [this] {
        indexer.cmdForceIndex_Click();
        indexer.tmrIndexer_Timer();
    };
    h.search();
    EXPECT_TRUE(h.view.last("lblSearchTime").starts_with("Results Returned In: "));
    EXPECT_TRUE(view.reindexing.empty());

    h.ctx.CancelIndexing = true; // left by a cancelled search
    std::vector<bool> duringBuild;
    h.onYield = [&] { duringBuild = {view.forceEnabled, view.timerEnabled}; };
    indexer.searchEnded();
    EXPECT_EQ(view.reindexing, built(ticked));
    EXPECT_FALSE(indexer.forceIndexPending());
    EXPECT_EQ(windowShown(), 1);
    EXPECT_EQ(duringBuild, (std::vector<bool>{false, false}));
    EXPECT_TRUE(view.forceEnabled && view.timerEnabled);
}

TEST_F(BackgroundIndexerTest, FailedBuildIsNotRepeatedOnEveryTick)
{
    view.rows.push_back({h.data.at("unplugged") + "/", true});
    indexer.tmrIndexer_Timer();
    indexer.tmrIndexer_Timer();
    ASSERT_EQ(h.errors.reports.size(), 1u);
    EXPECT_EQ(h.errors.reports[0].location, 11053);

    BackgroundIndexer eager(h.ctx, view, BackgroundIndexer::RootCheck::AnyFolder);
    eager.setRetryDelay(std::chrono::seconds(0));
    eager.tmrIndexer_Timer();
    eager.tmrIndexer_Timer();
    EXPECT_EQ(h.errors.reports.size(), 3u);
}

TEST_F(BackgroundIndexerTest, DrivesAreBuiltOnlyWhileMounted)
{
    BackgroundIndexer drivesOnly(h.ctx, view);
    const std::string root = addDrive(0);
    drivesOnly.tmrIndexer_Timer();
    EXPECT_FALSE(pairExists(root));

    if (::mount("zephrix-test", root.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    drivesOnly.tmrIndexer_Timer();
    ::umount2(root.c_str(), MNT_DETACH);
    EXPECT_TRUE(pairExists(root));
}

} // namespace
