#include "search/SearchDriver.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

#include <gtest/gtest.h>

#include "search/SearchHarness.h"
#include "search/SearchTexts.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

using Rows = std::vector<std::string>;

// A folder standing for one drive, with files on disk and, on request, a
// hand-made pair listing them.
struct TestDrive {
    TempTree tree;
    std::string root = tree.path() + "/";
    std::vector<StoredEntry> entries;

    // count files prefix0000.txt ... in the root, on disk when real.
    void addFiles(const std::string& prefix, int count, bool real = true)
    {
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%04d.txt", prefix.c_str(), i);
            entries.push_back({name, 0, "1"});
            if (real)
                tree.file(name, "x");
        }
    }
    void writeIndex(const std::string& indexes, int ageHours = 1) const
    {
        writePair(indexes, root, IndexMode::Drive, {}, entries, ageHours);
    }
};

Rows sorted(Rows rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

Rows names(const RecordingView& view)
{
    Rows out;
    for (const auto& row : view.rows)
        out.push_back(row.name);
    return out;
}

const std::regex FinishedText("Results Returned In: [0-9]+\\.[0-9] Seconds");

// Drives scope over roots, for a name and a type.
void request(SearchHarness& h, std::vector<std::string> roots, const std::string& name,
             const std::string& type = {})
{
    h.view.criteria = onDrives(std::move(roots));
    h.view.criteria.name = name;
    h.view.criteria.fileType = type;
}

} // namespace

TEST(SearchDriver, FinishesWithTotalsAndKeepsTheIndex)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 5);
    a.addFiles("skip", 3);
    a.writeIndex(h.indexes);
    request(h, {a.root}, "a0");
    h.search();

    EXPECT_EQ(names(h.view), (Rows{"a0000.txt", "a0001.txt", "a0002.txt", "a0003.txt", "a0004.txt"}));
    EXPECT_TRUE(std::regex_match(h.view.searchTime, FinishedText)) << h.view.searchTime;
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 8");
    EXPECT_EQ(h.view.filesFound, "Files Found: 5");
    EXPECT_EQ(h.view.clears, 1);
    EXPECT_TRUE(h.view.resultsTab);
    EXPECT_FALSE(h.view.searchTimer);
    EXPECT_TRUE(h.view.indexerTimer);
    EXPECT_TRUE(h.view.searchEnabled);
    EXPECT_FALSE(h.view.cancelVisible);
    EXPECT_TRUE(h.view.expandVisible);
    EXPECT_EQ(h.view.toolbarFull, true);
    // The pair stays in memory for the next search of the same drive.
    EXPECT_EQ(h.ctx.index.entryCount(), 8u);
    EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root);
    EXPECT_EQ(h.indexing.shown, 0); // a fresh pair is not rebuilt
    EXPECT_TRUE(h.errors.reports.empty());

    h.view.criteria.name = "nothing like it";
    h.search();
    EXPECT_TRUE(h.view.rows.empty());
    EXPECT_EQ(h.view.toolbarFull, false);

    // A pair built anew since (here or by another process) is read again.
    a.addFiles("fresh", 2);
    a.writeIndex(h.indexes);
    h.view.criteria.name = "fresh";
    h.search();
    EXPECT_EQ(names(h.view), (Rows{"fresh0000.txt", "fresh0001.txt"}));
}

TEST(SearchDriver, YieldsEveryHundredEntriesAndAfterEachAcceptedFile)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("hit", 3);
    a.addFiles("miss", 247, false);
    a.writeIndex(h.indexes);
    request(h, {a.root}, "hit");
    int matcherYields = 0;
    h.onYield = [&] { matcherYields += h.ctx.LoadedIndexRoot == a.root; };
    h.search();
    EXPECT_EQ(h.view.rows.size(), 3u);
    EXPECT_EQ(matcherYields, 3 + 2);
}

TEST(SearchDriver, TwoDrivesTheSecondWithoutAnIndex)
{
    SearchHarness h;
    TestDrive a, b;
    a.addFiles("a", 4);
    a.writeIndex(h.indexes, 5);
    b.addFiles("b", 3);
    ASSERT_FALSE(pairExists(h.indexes, b.root, IndexMode::Drive));

    request(h, {a.root, b.root}, "", "txt");
    h.search();

    const Rows rows = names(h.view);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(Rows(rows.begin(), rows.begin() + 4),
              (Rows{"a0000.txt", "a0001.txt", "a0002.txt", "a0003.txt"}));
    EXPECT_EQ(sorted(Rows(rows.begin() + 4, rows.end())), (Rows{"b0000.txt", "b0001.txt", "b0002.txt"}));
    EXPECT_TRUE(pairExists(h.indexes, b.root, IndexMode::Drive));
    EXPECT_EQ(h.indexing.shown, 1); // built with the indexing window
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 7");
    EXPECT_EQ(h.view.filesFound, "Files Found: 7");
    EXPECT_TRUE(std::regex_match(h.view.searchTime, FinishedText));
}

TEST(SearchDriver, StaleOrForcedIndexesAreRebuiltFirst)
{
    struct Case {
        const char* what;
        int ageHours;
        int forceIndex;
        Rows rows;
    } cases[] = {
        {"99 hours old: used", 99, 0, {}},
        {"100 hours old: rebuilt", 100, 0, {"real.txt"}},
        {"fresh but forced", 1, 1, {"real.txt"}},
    };
    for (const auto& c : cases) {
        SearchHarness h;
        TestDrive a;
        a.tree.file("real.txt", "x");
        a.entries = {{"ghost.txt", 0, "1"}};
        a.writeIndex(h.indexes, c.ageHours);
        h.view.options.ForceIndex = c.forceIndex;
        request(h, {a.root}, "", "txt");
        h.search();
        EXPECT_EQ(names(h.view), c.rows) << c.what;
        EXPECT_EQ(h.indexing.shown, c.rows.empty() ? 0 : 1) << c.what;
    }
}

TEST(SearchDriver, FolderScopeUsesTheFreshDrivePairOrBuildsTheFolderPair)
{
    for (int ageHours : {1, 150}) {
        SearchHarness h;
        TestDrive a;
        a.tree.file("top.txt", "x");
        a.tree.file("docs/one.txt", "x");
        a.tree.file("docs/two.txt", "x");
        a.tree.file("docs/deeper/three.txt", "x");
        writePair(h.indexes, a.root, IndexMode::Drive, {a.root + "docs/", a.root + "docs/deeper/"},
                  {{"top.txt", 0, "1"}, {"one.txt", 1, "1"}, {"two.txt", 1, "1"}, {"three.txt", 2, "1"}},
                  ageHours);
        request(h, {}, "", "txt");
        h.view.criteria.scope = SearchScope::Folder;
        h.view.criteria.folderRoot = a.root;
        h.view.criteria.folder = a.root + "docs";
        h.search();
        EXPECT_EQ(sorted(names(h.view)), (Rows{"one.txt", "two.txt"})) << ageHours;
        EXPECT_EQ(pairExists(h.indexes, "/", IndexMode::Folder), ageHours > 1) << ageHours;
        EXPECT_EQ(h.view.filesSearched, ageHours > 1 ? "Files Searched: 3" : "Files Searched: 4");
    }
}

TEST(SearchDriver, ADriveThatCannotBeSearchedIsToldAndSkipped)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 2);
    a.writeIndex(h.indexes);
    const std::string missing = a.root + "no-such-folder/";
    // A fresh pair that cannot be loaded (its entry names a folder that is
    // not in its folders file), of a folder that cannot be indexed.
    writePair(h.indexes, missing, IndexMode::Drive, {}, {{"x.txt", 3, "1"}});
    request(h, {missing, a.root}, "", "txt");
    h.search();
    EXPECT_EQ(h.view.errors, Rows{"I am unable to search the \"" + missing + "\" drive."});
    EXPECT_EQ(names(h.view), (Rows{"a0000.txt", "a0001.txt"}));
    EXPECT_TRUE(std::regex_match(h.view.searchTime, FinishedText));

    // A stale drive whose new pair cannot be loaded is skipped without a word.
    SearchHarness quiet;
    a.writeIndex(quiet.indexes);
    request(quiet, {missing, a.root}, "", "txt");
    quiet.search();
    EXPECT_TRUE(quiet.view.errors.empty());
    EXPECT_EQ(quiet.view.rows.size(), 2u);
}

TEST(SearchDriver, RejectedRequestsLeaveThePreviousResults)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 2);
    a.writeIndex(h.indexes);
    request(h, {a.root}, "a");
    h.search();
    ASSERT_EQ(h.view.rows.size(), 2u);

    struct Case {
        const char* what;
        std::function<void(SearchCriteria&)> change;
        const char* message;
    } cases[] = {
        {"no drive", [](SearchCriteria& c) { c.drives.clear(); }, SearchTexts::NoDrivesSelected},
        {"nothing to find", [](SearchCriteria& c) { c.name.clear(); }, SearchTexts::NothingToSearchFor},
    };
    for (const auto& c : cases) {
        request(h, {a.root}, "a");
        c.change(h.view.criteria);
        h.view.errors.clear();
        h.search();
        EXPECT_EQ(h.view.errors, Rows{c.message}) << c.what;
        EXPECT_EQ(h.view.rows.size(), 2u) << c.what;
        EXPECT_EQ(h.view.clears, 1) << c.what;
        EXPECT_EQ(h.view.searchTime, "Preparing To Search") << c.what;
        EXPECT_EQ(h.view.filesSearched, "Files Searched: 0") << c.what;
        EXPECT_EQ(h.view.filesFound, "Files Found: 0") << c.what;
        EXPECT_TRUE(h.view.searchEnabled) << c.what;
        EXPECT_TRUE(h.view.indexerTimer) << c.what;
        EXPECT_FALSE(h.view.searchTimer) << c.what;
        EXPECT_FALSE(h.view.cancelVisible) << c.what;
    }
}

TEST(SearchDriver, ANameWithAnExtensionIsSplitVisibly)
{
    SearchHarness h;
    TestDrive a;
    a.tree.file("report.doc", "x");
    a.tree.file("report.txt", "x");
    a.entries = {{"report.doc", 0, "1"}, {"report.txt", 0, "1"}};
    a.writeIndex(h.indexes);
    request(h, {a.root}, "report.doc");
    h.view.criteria.nameMatch = NameMatch::Exactly;
    h.search();
    EXPECT_EQ(h.view.rewrites, (std::vector<std::pair<std::string, std::string>>{{"report", "doc"}}));
    EXPECT_EQ(names(h.view), Rows{"report.doc"});
}

TEST(SearchDriver, WaitsWhileBackgroundIndexingRuns)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 1);
    a.writeIndex(h.indexes);
    request(h, {a.root}, "a");

    h.ctx.BackgroundIndexing = true;
    h.ctx.BackgroundIndexRoot = a.root;
    h.search();
    EXPECT_EQ(h.ctx.SearchWaitingForIndex, true);
    EXPECT_EQ(h.view.indexingShown, 1);
    EXPECT_TRUE(h.view.searchEnabled);
    EXPECT_EQ(h.view.clears, 0);
    EXPECT_EQ(h.view.searchTime, "Results Returned In: 0 Seconds");

    h.search(); // a second request only shows the indexing window again
    EXPECT_EQ(h.view.indexingShown, 2);
    EXPECT_EQ(h.view.clears, 0);

    // The indexer's end of pass: the flag back to 0, and the request again.
    h.ctx.BackgroundIndexing = false;
    h.ctx.SearchWaitingForIndex = false;
    h.search();
    EXPECT_EQ(names(h.view), Rows{"a0000.txt"});
}

TEST(SearchDriver, CancelDuringABuild)
{
    SearchHarness h;
    TestDrive a;
    // Several folders: a build looks at the cancel flag before each folder.
    for (int i = 0; i < 450; ++i)
        a.tree.file("d" + std::to_string(i / 100) + "/f" + std::to_string(i) + ".txt", "x");
    request(h, {a.root}, "", "txt");
    h.cancelWhen([&] { return h.indexing.building; });
    h.search();

    EXPECT_FALSE(pairExists(h.indexes, a.root, IndexMode::Drive));
    EXPECT_EQ(h.view.searchTime, "Search Cancelled");
    EXPECT_TRUE(h.view.rows.empty());
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 0");
    EXPECT_TRUE(h.view.searchEnabled);
    EXPECT_FALSE(h.view.cancelVisible);
    EXPECT_FALSE(h.view.searchTimer);
    EXPECT_FALSE(h.view.indexerTimer); // stays off until a later search finishes
    EXPECT_EQ(h.view.toolbarFull, false);
    EXPECT_EQ(h.ctx.CancelIndexing, 1);

    // The next request starts afresh.
    h.onYield = nullptr;
    h.search();
    EXPECT_EQ(h.view.rows.size(), 450u);
    EXPECT_TRUE(h.view.indexerTimer);
}

TEST(SearchDriver, CancelWhileMatchingTheFirstOfTwoDrives)
{
    SearchHarness h;
    TestDrive a, b;
    a.addFiles("hit", 5);
    a.addFiles("miss", 245, false);
    a.writeIndex(h.indexes);
    b.addFiles("hit", 5);
    b.writeIndex(h.indexes);
    request(h, {a.root, b.root}, "hit");
    h.cancelWhen([&] { return h.state.FilesSearchedCount >= 100; });
    h.search();

    EXPECT_EQ(h.state.FilesSearchedCount, 100);
    EXPECT_EQ(h.view.rows.size(), 5u); // the first drive's rows stay
    EXPECT_EQ(h.view.searchTime, "Search Cancelled");
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 100");
    EXPECT_EQ(h.view.filesFound, "Files Found: 5");
    EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root); // the second drive is never loaded
    EXPECT_TRUE(h.view.searchEnabled);
    EXPECT_EQ(h.view.toolbarFull, true);
    EXPECT_FALSE(h.view.indexerTimer);
    EXPECT_FALSE(h.view.expandVisible);
}

TEST(SearchDriver, CancelWhileMatchingTheLastDriveFinishes)
{
    SearchHarness h;
    TestDrive a, b;
    a.addFiles("hit", 50);
    a.writeIndex(h.indexes);
    b.addFiles("hit", 150);
    b.writeIndex(h.indexes);
    request(h, {a.root, b.root}, "hit");
    h.cancelWhen([&] { return h.ctx.LoadedIndexRoot == b.root && h.state.FilesSearchedCount >= 60; });
    h.search();

    EXPECT_EQ(h.view.rows.size(), 60u);
    EXPECT_TRUE(std::regex_match(h.view.searchTime, FinishedText)) << h.view.searchTime;
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 60");
    EXPECT_EQ(h.view.filesFound, "Files Found: 60");
    EXPECT_TRUE(h.view.indexerTimer);
    EXPECT_EQ(h.ctx.LoadedIndexRoot, b.root);
}

TEST(SearchDriver, TheThousandthFileIsTheLast)
{
    SearchHarness h;
    TestDrive a, b;
    a.addFiles("m", 1005);
    a.writeIndex(h.indexes);
    b.addFiles("m", 10);
    b.writeIndex(h.indexes);
    request(h, {a.root, b.root}, "m");
    h.search();

    ASSERT_EQ(h.view.rows.size(), 1000u);
    EXPECT_EQ(h.view.rows.back().name, "m0999.txt");
    EXPECT_EQ(h.view.oks, Rows{SearchTexts::ResultsLimitReached});
    EXPECT_EQ(h.view.filesFound, "Files Found: 1000");
    EXPECT_EQ(h.state.FilesSearchedCount, 1000);
    EXPECT_EQ(h.state.SearchCancelled, 1);
    EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root); // nothing more from the second drive
    EXPECT_EQ(h.view.searchTime, "Preparing To Search");
    EXPECT_FALSE(h.view.cancelVisible);
    EXPECT_FALSE(h.view.searchTimer);
    EXPECT_TRUE(h.view.searchEnabled);

    // With the last drive the request finishes as usual.
    request(h, {a.root}, "m");
    h.view.oks.clear();
    h.search();
    EXPECT_EQ(h.view.rows.size(), 1000u);
    EXPECT_EQ(h.view.oks.size(), 1u);
    EXPECT_TRUE(std::regex_match(h.view.searchTime, FinishedText));
    EXPECT_EQ(h.view.filesSearched, "Files Searched: 1000");

    // Without the limit every file is listed.
    h.view.options.ResultsLimit = 1;
    request(h, {a.root, b.root}, "m");
    h.view.oks.clear();
    h.search();
    EXPECT_EQ(h.view.rows.size(), 1015u);
    EXPECT_TRUE(h.view.oks.empty());
}

TEST(SearchDriver, ARequestDuringARunningOneIsIgnored)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 3);
    a.writeIndex(h.indexes);
    request(h, {a.root}, "a");
    h.onYield = [&] { h.driver.cmdSearch_Click(); };
    h.search();
    EXPECT_EQ(h.view.clears, 1);
    EXPECT_EQ(h.view.rows.size(), 3u);
}

TEST(SearchDriver, AFailureIsReportedAndTheButtonComesBack)
{
    class FailingView : public RecordingView {
      public:
        void addResult(ResultRow&&) override { throw std::runtime_error("the list refused a row"); }
    };
    SearchHarness h;
    FailingView view;
    SearchDriver driver(h.ctx, view.frontEnd(), h.state);
    TestDrive a;
    a.addFiles("a", 1);
    a.writeIndex(h.indexes);
    view.criteria = onDrives({a.root});
    view.criteria.name = "a";
    driver.cmdSearch_Click();
    ASSERT_EQ(h.errors.reports.size(), 1u);
    EXPECT_EQ(h.errors.reports[0].location, 6021);
    EXPECT_EQ(h.errors.reports[0].description, "the list refused a row");
    EXPECT_TRUE(view.searchEnabled);
}

TEST(SearchDriver, ElapsedTimeTexts)
{
    EXPECT_EQ(formatSeconds(2.34), "2.3");
    EXPECT_EQ(formatSeconds(0), "0.0");
    EXPECT_EQ(formatSeconds(12.96), "13.0");
    SearchHarness h;
    h.state.SearchStartTime = monotonicSeconds();
    h.driver.tmrSearchTime_Timer();
    EXPECT_TRUE(std::regex_match(h.view.searchTime, std::regex("Time Elapsed: [0-9]+\\.[0-9] Seconds")));

    h.driver.cmdCancelSearch_Click();
    EXPECT_EQ(h.view.searchTime, "Search Cancelled");
    EXPECT_EQ(h.state.SearchCancelled, 1);
    EXPECT_EQ(h.ctx.CancelIndexing, 1);
    EXPECT_FALSE(h.view.cancelVisible);
    EXPECT_EQ(h.yields, 1);
}
