#include "search/SearchDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <stdexcept>

#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

using Rows = std::vector<std::string>;

const char* const Buttons = "cmdSearch cmdCancelSearch tmrSearchTime tmrIndexer";
const char* const Idle = "cmdSearch:on cmdCancelSearch:off tmrSearchTime:off tmrIndexer:on";
// After a cancel ending background indexing stays off until a search finishes.
const char* const CancelEnded = "cmdSearch:on cmdCancelSearch:off tmrSearchTime:off tmrIndexer:off";

// A folder standing for a drive: files prefix0000.txt, prefix0001.txt, ...
// on disk (when real) and in a hand-made pair stamped ageHours ago.
struct TestDrive {
    TempTree tree;
    std::string root = tree.path() + "/";
    std::vector<StoredEntry> entries;

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
    void writeIndex(const SearchHarness& h, int ageHours = 1) const
    {
        writePair(h.indexes, root, {}, entries, dateText(std::time(nullptr) - ageHours * 3600));
    }
};

Rows names(const SearchHarness& h)
{
    Rows names;
    for (const auto& row : h.view.rows)
        names.push_back(row.name);
    std::sort(names.begin(), names.end());
    return names;
}

// The labels and buttons of a request that ended through the finish.
void expectFinished(const SearchHarness& h, int searched, int found)
{
    EXPECT_TRUE(std::regex_match(h.view.last("lblSearchTime"),
                                 std::regex("Results Returned In: [0-9]+\\.[0-9] Seconds")))
        << h.view.last("lblSearchTime");
    EXPECT_EQ(h.view.states("lblFilesSearched lblFilesFound cmdExpandResults"),
              "lblFilesSearched:Files Searched: " + std::to_string(searched) +
                  " lblFilesFound:Files Found: " + std::to_string(found) + " cmdExpandResults:on");
    EXPECT_EQ(h.view.states(Buttons), Idle);
}

} // namespace

TEST(SearchDriver, FinishesWithTotalsAndKeepsThePairForTheNextSearch)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 5);
    a.addFiles("skip", 248, false);
    a.writeIndex(h);
    h.request({a.root}, "a0.txt"); // split visibly into name and type
    h.search();
    EXPECT_EQ(names(h), (Rows{"a0000.txt", "a0001.txt", "a0002.txt", "a0003.txt", "a0004.txt"}));
    expectFinished(h, 253, 5);
    EXPECT_EQ(h.view.states("txtSearchFileName txtSearchFileType fraResults toolbar frmIndexing"),
              "txtSearchFileName:a0 txtSearchFileType:txt fraResults:on toolbar:full frmIndexing:");
    // Once in the load; in the match every 100 entries and after each accepted file.
    EXPECT_EQ(h.yields, 1 + 2 + 5);
    EXPECT_EQ(formatSeconds(2.34) + " " + formatSeconds(12.96), "2.3 13.0"); // one decimal, rounded
    h.driver.tmrSearchTime_Timer();
    EXPECT_TRUE(
        std::regex_match(h.view.last("lblSearchTime"), std::regex("Time Elapsed: [0-9]+\\.[0-9] Seconds")));

    h.request({a.root}, "nothing like it");
    h.search();
    EXPECT_EQ(h.view.states("lstSearchResults toolbar"), "lstSearchResults:cleared toolbar:compact");
    EXPECT_TRUE(h.view.rows.empty());

    // A pair built anew since (here or by another process) is read again.
    a.addFiles("fresh", 2);
    a.writeIndex(h);
    h.request({a.root}, "fresh");
    h.search();
    EXPECT_EQ(names(h), (Rows{"fresh0000.txt", "fresh0001.txt"}));
}

TEST(SearchDriver, AMissingStaleOrForcedPairIsBuiltFirst)
{
    struct Case {
        const char* what;
        int ageHours; // 0: no pair
        int forceIndex;
        Rows rows; // the stored pair lists old.txt only; the disk holds new.txt too
    } cases[] = {{"99 hours old: used", 99, 0, {"old.txt"}},
                 {"100 hours old: rebuilt", 100, 0, {"new.txt", "old.txt"}},
                 {"fresh but forced", 1, 1, {"new.txt", "old.txt"}},
                 {"missing", 0, 0, {"new.txt", "old.txt"}}};
    for (const auto& c : cases) {
        SearchHarness h;
        TestDrive a;
        a.entries = {{"old.txt", 0, "1"}};
        a.tree.file("old.txt");
        a.tree.file("new.txt");
        if (c.ageHours)
            a.writeIndex(h, c.ageHours);
        h.view.options.ForceIndex = c.forceIndex;
        h.request({a.root}, "", "txt");
        h.search();
        EXPECT_EQ(names(h), c.rows) << c.what;
        // A build shows the indexing window and hides it at its end.
        EXPECT_EQ(h.view.all("frmIndexing"), c.rows.size() == 1 ? Rows() : Rows({"on", "off"})) << c.what;
    }
}

TEST(SearchDriver, FolderScopeUsesTheFreshDrivePairOrBuildsTheFolderPair)
{
    for (int ageHours : {1, 150}) {
        SearchHarness h;
        TestDrive a;
        for (const char* file : {"top.txt", "docs/one.txt", "docs/two.txt", "docs/deeper/three.txt"})
            a.tree.file(file, "x");
        writePair(h.indexes, a.root, {a.root + "docs/", a.root + "docs/deeper/"},
                  {{"top.txt", 0, "1"}, {"one.txt", 1, "1"}, {"two.txt", 1, "1"}, {"three.txt", 2, "1"}},
                  dateText(std::time(nullptr) - ageHours * 3600));
        h.request({}, "", "txt");
        h.view.criteria.scope = SearchScope::Folder;
        h.view.criteria.folderRoot = a.root;
        h.view.criteria.folder = a.root + "docs";
        h.search();
        EXPECT_EQ(names(h), (Rows{"one.txt", "two.txt"}));
        EXPECT_EQ(std::filesystem::exists(entriesFile(h.indexes, "/", true)), ageHours > 1);
        expectFinished(h, ageHours > 1 ? 3 : 4, 2);
    }
}

TEST(SearchDriver, ADriveThatCannotBeSearchedIsToldAndSkipped)
{
    TestDrive a;
    a.addFiles("a", 2);
    const std::string missing = a.root + "no-such-folder/";
    for (bool fresh : {true, false}) {
        // A fresh pair that does not load (its entry names a folder it lacks)
        // of a folder that cannot be indexed gets the message; a missing pair
        // that cannot be built is skipped without a word.
        SearchHarness h;
        a.writeIndex(h);
        if (fresh)
            writePair(h.indexes, missing, {}, {{"x.txt", 3, "1"}});
        h.request({missing, a.root}, "", "txt");
        h.search();
        EXPECT_EQ(h.view.all("DisplayError"),
                  fresh ? Rows{"I am unable to search the \"" + missing + "\" drive."} : Rows{});
        expectFinished(h, 2, 2);
    }
}

TEST(SearchDriver, RejectedRequestsLeaveThePreviousResults)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 2);
    a.writeIndex(h);
    h.request({a.root}, "a");
    h.search();
    const std::pair<Rows, const char*> cases[] = {
        {{},
         "You have not selected any drives to search on, please select a drive in the list by placing a "
         "checkmark next to it's name.  If you only want to search a single folder, select the option button "
         "below the large drives list that says \"Search In This Folder\""},
        {{a.root},
         "You have not specified anything for me to search for, please specify at least 1 criteria "
         "for the file you are trying to find."}};
    for (const auto& [drives, message] : cases) {
        h.view.calls.clear();
        h.request(drives, drives.empty() ? "a" : "");
        h.search();
        EXPECT_EQ(h.view.all("DisplayError"), Rows{message});
        EXPECT_EQ(h.view.rows.size(), 2u);
        EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched lstSearchResults"),
                  "lblSearchTime:Preparing To Search lblFilesSearched:Files Searched: 0 lstSearchResults:");
        EXPECT_EQ(h.view.states(Buttons), Idle);
    }
}

TEST(SearchDriver, WaitsWhileBackgroundIndexingRuns)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 1);
    a.writeIndex(h);
    h.request({a.root}, "a");
    h.state.BackgroundIndexing = true;
    h.search();
    EXPECT_EQ(h.state.SearchWaitingForIndex, 1);
    h.search(); // a second request only shows the indexing window again
    EXPECT_EQ(h.view.calls, (Rows{"cmdSearch:off", "frmIndexing:on", "cmdSearch:on", "cmdSearch:off",
                                  "frmIndexing:on", "cmdSearch:on"}));
    // The indexer's end of pass puts the flag back and runs the request.
    h.state.BackgroundIndexing = false;
    h.state.SearchWaitingForIndex = 0;
    h.search();
    expectFinished(h, 1, 1);
}

TEST(SearchDriver, CancelDuringABuildLeavesNoPairAndNoRows)
{
    SearchHarness h;
    TestDrive a;
    for (int i = 0; i < 450; ++i) // folders: a build looks at the flag before each
        a.tree.file("d" + std::to_string(i / 100) + "/f" + std::to_string(i) + ".txt", "x");
    h.request({a.root}, "", "txt");
    h.cancelWhen([&] { return h.view.last("frmIndexing") == "on"; });
    h.search();
    EXPECT_FALSE(std::filesystem::exists(entriesFile(h.indexes, a.root)));
    EXPECT_TRUE(h.view.rows.empty());
    EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched toolbar"),
              "lblSearchTime:Search Cancelled lblFilesSearched:Files Searched: 0 toolbar:compact");
    EXPECT_EQ(h.view.states(Buttons), CancelEnded);

    h.onYield = [] {}; // the next request starts afresh
    h.search();
    expectFinished(h, 450, 450);
}

TEST(SearchDriver, CancelWhileMatchingEndsBeforeTheNextDriveOrFinishesTheLast)
{
    for (bool onLastDrive : {false, true}) {
        SearchHarness h;
        TestDrive a, b;
        a.addFiles("hit", 5);
        a.addFiles("miss", 245, false);
        a.writeIndex(h);
        b.addFiles("hit", 150);
        b.writeIndex(h);
        h.request({a.root, b.root}, "hit");
        const std::string pressedOn = onLastDrive ? b.root : a.root;
        h.cancelWhen(
            [&] { return h.ctx.LoadedIndexRoot == pressedOn && h.state.FilesSearchedCount % 250 >= 100; });
        h.search();
        if (onLastDrive) { // no check of the driver follows: the request finishes
            expectFinished(h, 350, 105);
            continue;
        }
        EXPECT_EQ(h.view.rows.size(), 5u); // the first drive's rows stay; the second is never loaded
        EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root);
        EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched toolbar"),
                  "lblSearchTime:Search Cancelled lblFilesSearched:Files Searched: 100 toolbar:full");
        EXPECT_EQ(h.view.states(Buttons), CancelEnded);
    }
}

TEST(SearchDriver, TheThousandthFileIsTheLast)
{
    SearchHarness h;
    TestDrive a, b;
    a.addFiles("m", 1005);
    a.writeIndex(h);
    b.addFiles("m", 10);
    b.writeIndex(h);
    const Rows limitMessage = {
        "Your search has returned over 1000 results, in order to maintain system performance the search has "
        "been stopped.  Please refine your search and try again.  If you wish to recieve more results, you "
        "may "
        "choose to disable this message under the ADVANCED tab.  However I must warn you, that loading "
        "information on thousands of files can be memory consuming."};
    h.request({a.root, b.root}, "m");
    h.search();
    ASSERT_EQ(h.view.rows.size(), 1000u);
    EXPECT_EQ(h.view.rows.back().name, "m0999.txt");
    EXPECT_EQ(h.view.all("DisplayOk"), limitMessage);
    EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root); // nothing more from the second drive
    EXPECT_EQ(h.view.states("lblSearchTime lblFilesFound"),
              "lblSearchTime:Preparing To Search lblFilesFound:Files Found: 1000");
    EXPECT_EQ(h.view.states(Buttons), CancelEnded);

    h.view.calls.clear(); // with the last drive the request finishes as usual
    h.request({a.root}, "m");
    h.search();
    EXPECT_EQ(h.view.all("DisplayOk"), limitMessage);
    expectFinished(h, 1000, 1000);

    h.view.calls.clear(); // without the limit every file is listed
    h.view.options.ResultsLimit = 1;
    h.request({a.root, b.root}, "m");
    h.search();
    EXPECT_EQ(h.view.rows.size(), 1015u);
    EXPECT_TRUE(h.view.all("DisplayOk").empty());
}

TEST(SearchDriver, ARequestDuringARunningOneIsIgnoredAndAFailureIsReported)
{
    SearchHarness h;
    TestDrive a;
    a.addFiles("a", 3);
    a.writeIndex(h);
    h.request({a.root}, "a");
    h.onYield = [&] { h.search(); };
    h.search();
    EXPECT_EQ(h.view.all("lstSearchResults").size(), 1u);
    EXPECT_EQ(h.view.rows.size(), 3u);

    struct FailingView : RecordingView {
        void addResult(ResultRow&&) override { throw std::runtime_error("the list refused a row"); }
    } view;
    view.criteria = h.view.criteria;
    SearchDriver(h.ctx, view.frontEnd(), h.state).cmdSearch_Click();
    ASSERT_EQ(h.errors.reports.size(), 1u);
    EXPECT_EQ(h.errors.reports[0].location, 6021);
    EXPECT_EQ(h.errors.reports[0].description, "the list refused a row");
    EXPECT_EQ(view.last("cmdSearch"), "on");
}
