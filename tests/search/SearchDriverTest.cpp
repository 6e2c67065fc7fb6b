#include "search/SearchDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <stdexcept>

#include "search/SearchHarness.h"
#include "search/SearchTexts.h"

using namespace zephrix;
using namespace zephrix::test;
using Rows = std::vector<std::string>;

namespace {

const char* const Buttons = "cmdSearch cmdCancelSearch tmrSearchTime tmrIndexer";
const char* const Idle = "cmdSearch:on cmdCancelSearch:off tmrSearchTime:off tmrIndexer:on";
// After a cancel ending background indexing stays off until a search finishes.
const char* const CancelEnded = "cmdSearch:on cmdCancelSearch:off tmrSearchTime:off tmrIndexer:off";

// A drive's folder with files prefix0000.txt ... on disk (when real) and in a pair stamped ageHours ago.
struct TestDrive {
    TempTree tree;
    std::string root = tree.path() + "/";
    std::vector<StoredEntry> entries;

    TestDrive& add(const std::string& prefix, int count, bool real = true)
    {
        for (int i = 0; i < count; ++i) {
            entries.push_back({prefix + std::to_string(10000 + i).substr(1) + ".txt", 0, "1"});
            if (real)
                tree.file(entries.back().name, "x");
        }
        return *this;
    }
    void index(const SearchHarness& h, int ageHours = 1) const
    {
        writePair(h.indexes, root, {}, entries, dateText(std::time(nullptr) - ageHours * 3600));
    }
};

// Fresh pairs: a lists 5 hits among 250 entries (the misses gone from disk), b 150 hits.
struct Driver : ::testing::Test {
    SearchHarness h;
    TestDrive a, b;

    Driver()
    {
        a.add("hit", 5).add("miss", 245, false).index(h);
        b.add("hit", 150).index(h);
    }
    Rows names() const
    {
        Rows names;
        for (const auto& row : h.view.rows)
            names.push_back(row.name);
        std::sort(names.begin(), names.end());
        return names;
    }
    // The labels and buttons of a request that ended through the finish.
    void expectFinished(int searched, int found) const
    {
        EXPECT_TRUE(std::regex_match(h.view.last("lblSearchTime"),
                                     std::regex("Results Returned In: [0-9]+\\.[0-9] Seconds")));
        EXPECT_EQ(h.view.states("lblFilesSearched lblFilesFound cmdExpandResults"),
                  "lblFilesSearched:Files Searched: " + std::to_string(searched) +
                      " lblFilesFound:Files Found: " + std::to_string(found) + " cmdExpandResults:on");
        EXPECT_EQ(h.view.states(Buttons), Idle);
    }
};

} // namespace

TEST_F(Driver, FinishesWithTotalsAndKeepsThePairForTheNextSearch)
{
    h.search({a.root}, "hit.txt"); // split visibly into name and type
    EXPECT_EQ(names(), (Rows{"hit0000.txt", "hit0001.txt", "hit0002.txt", "hit0003.txt", "hit0004.txt"}));
    expectFinished(250, 5);
    EXPECT_EQ(h.view.states("txtSearchFileName txtSearchFileType fraResults toolbar frmIndexing"),
              "txtSearchFileName:hit txtSearchFileType:txt fraResults:on toolbar:full frmIndexing:");
    h.driver.tmrSearchTime_Timer();
    EXPECT_TRUE(
        std::regex_match(h.view.last("lblSearchTime"), std::regex("Time Elapsed: [0-9]+\\.[0-9] Seconds")));

    h.search({a.root}, "nothing like it");
    EXPECT_EQ(h.view.states("lstSearchResults toolbar"), "lstSearchResults:cleared toolbar:compact");
    a.add("fresh", 2).index(h); // a pair built anew since (here or elsewhere) is read again
    h.search({a.root}, "fresh");
    EXPECT_EQ(names(), (Rows{"fresh0000.txt", "fresh0001.txt"}));
}

TEST_F(Driver, AMissingStaleOrForcedPairIsBuiltFirst)
{
    // The stored pair lists old.txt only; the disk holds new.txt too. Age 0: no pair.
    for (const auto& [ageHours, forced, built] :
         {std::tuple{99, false, false}, {100, false, true}, {1, true, true}, {0, false, true}}) {
        TestDrive d;
        d.entries = {{"old.txt", 0, "1"}};
        d.tree.file("old.txt");
        d.tree.file("new.txt");
        if (ageHours)
            d.index(h, ageHours);
        h.view.calls.clear();
        h.view.options.ForceIndex = forced;
        h.search({d.root}, "", "txt");
        EXPECT_EQ(names(), built ? Rows({"new.txt", "old.txt"}) : Rows({"old.txt"})) << ageHours;
        // A build shows the indexing window and hides it at its end.
        EXPECT_EQ(h.view.all("frmIndexing"), built ? Rows({"on", "off"}) : Rows()) << ageHours;
    }
}

TEST_F(Driver, FolderScopeUsesTheFreshDrivePairOrBuildsTheFolderPair)
{
    for (const char* file : {"top.txt", "docs/one.txt", "docs/two.txt", "docs/deeper/three.txt"})
        a.tree.file(file, "x");
    for (int ageHours : {1, 150}) {
        writePair(h.indexes, a.root, {a.root + "docs/", a.root + "docs/deeper/"},
                  {{"top.txt", 0, "1"}, {"one.txt", 1, "1"}, {"two.txt", 1, "1"}, {"three.txt", 2, "1"}},
                  dateText(std::time(nullptr) - ageHours * 3600));
        h.request({}, "", "txt");
        h.view.criteria.scope = SearchScope::Folder;
        h.view.criteria.folderRoot = a.root;
        h.view.criteria.folder = a.root + "docs";
        h.search();
        EXPECT_EQ(names(), (Rows{"one.txt", "two.txt"}));
        EXPECT_EQ(std::filesystem::exists(entriesFile(h.indexes, "/", true)), ageHours > 1);
        expectFinished(ageHours > 1 ? 3 : 4, 2);
    }
}

TEST_F(Driver, ADriveThatCannotBeSearchedIsToldAndSkipped)
{
    // A fresh pair that does not load, of an unindexable folder, is told; a missing one skipped quietly.
    const std::string missing = a.root + "no-such-folder/";
    for (bool fresh : {false, true}) {
        if (fresh)
            writePair(h.indexes, missing, {}, {{"x.txt", 3, "1"}});
        h.search({missing, a.root}, "hit");
        EXPECT_EQ(h.view.all("DisplayError"),
                  fresh ? Rows{"I am unable to search the \"" + missing + "\" drive."} : Rows{});
        expectFinished(250, 5);
    }
}

TEST_F(Driver, RejectedRequestsLeaveThePreviousResults)
{
    h.search({a.root}, "hit");
    for (const auto& [drives, message] : {std::pair{Rows{}, SearchTexts::NoDrivesSelected},
                                          std::pair{Rows{a.root}, SearchTexts::NothingToSearchFor}}) {
        h.view.calls.clear();
        h.search(drives, drives.empty() ? "hit" : "");
        EXPECT_EQ(h.view.all("DisplayError"), Rows{message});
        EXPECT_EQ(h.view.rows.size(), 5u);
        EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched lstSearchResults"),
                  "lblSearchTime:Preparing To Search lblFilesSearched:Files Searched: 0 lstSearchResults:");
        EXPECT_EQ(h.view.states(Buttons), Idle);
    }
}

TEST_F(Driver, ARequestThroughAYieldOfTheRunningOneIsIgnored)
{
    h.onYield = [&] { h.search({a.root}, "hit"); };
    h.search({a.root}, "hit");
    EXPECT_EQ(h.view.all("lstSearchResults").size(), 1u);
    expectFinished(250, 5);
}

TEST_F(Driver, CancelDuringABuildLeavesNoPairAndNoRows)
{
    TestDrive d;
    for (int i = 0; i < 450; ++i) // folders: a build looks at the flag before each
        d.tree.file("d" + std::to_string(i / 100) + "/f" + std::to_string(i) + ".txt", "x");
    h.request({d.root}, "", "txt");
    h.cancelWhen([&] { return h.view.last("frmIndexing") == "on"; });
    h.search();
    EXPECT_FALSE(std::filesystem::exists(entriesFile(h.indexes, d.root)));
    EXPECT_TRUE(h.view.rows.empty());
    EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched toolbar"),
              "lblSearchTime:Search Cancelled lblFilesSearched:Files Searched: 0 toolbar:compact");
    EXPECT_EQ(h.view.states(Buttons), CancelEnded);
    h.onYield = [] {}; // the next request starts afresh
    h.search();
    expectFinished(450, 450);
}

TEST_F(Driver, CancelWhileMatchingEndsBeforeTheNextDriveOrFinishesTheLast)
{
    // Cancel Search pressed 100 entries into a, or into b (after a's 250).
    for (const auto& [pressedOn, searched] : {std::pair{a.root, 100}, {b.root, 350}}) {
        h.request({a.root, b.root}, "hit");
        h.cancelWhen(
            [&] { return h.ctx.LoadedIndexRoot == pressedOn && h.state.FilesSearchedCount >= searched; });
        h.search();
        if (pressedOn == b.root) { // no check of the driver follows: the request finishes
            expectFinished(350, 105);
            continue;
        }
        EXPECT_EQ(h.view.rows.size(), 5u); // the first drive's rows stay; the second is never loaded
        EXPECT_EQ(h.ctx.LoadedIndexRoot, a.root);
        EXPECT_EQ(h.view.states("lblSearchTime lblFilesSearched toolbar"),
                  "lblSearchTime:Search Cancelled lblFilesSearched:Files Searched: 100 toolbar:full");
        EXPECT_EQ(h.view.states(Buttons), CancelEnded);
    }
}

TEST_F(Driver, TheThousandthFileIsTheLast)
{
    TestDrive many;
    many.add("hit", 1005).index(h);
    h.search({many.root, a.root}, "hit");
    ASSERT_EQ(h.view.rows.size(), 1000u);
    EXPECT_EQ(h.view.rows.back().name, "hit0999.txt");
    EXPECT_EQ(h.view.all("DisplayOk"), Rows{SearchTexts::ResultsLimitReached});
    EXPECT_EQ(h.ctx.LoadedIndexRoot, many.root); // nothing more from the second drive
    EXPECT_EQ(h.view.states("lblSearchTime lblFilesFound"),
              "lblSearchTime:Preparing To Search lblFilesFound:Files Found: 1000");
    EXPECT_EQ(h.view.states(Buttons), CancelEnded);

    h.view.calls.clear(); // with the last drive the request finishes as usual
    h.search({many.root}, "hit");
    EXPECT_EQ(h.view.all("DisplayOk").size(), 1u);
    expectFinished(1000, 1000);
}

TEST_F(Driver, AFailureIsReportedAndTheButtonComesBack)
{
    struct FailingView : RecordingView {
        void addResult(ResultRow&&) override { throw std::runtime_error("the list refused a row"); }
    } view;
    view.criteria.drives = {a.root};
    view.criteria.name = "hit";
    SearchDriver(h.ctx, view.frontEnd(), h.state).cmdSearch_Click();
    ASSERT_EQ(h.errors.reports.size(), 1u);
    EXPECT_EQ(h.errors.reports[0].location, 6021);
    EXPECT_EQ(h.errors.reports[0].description, "the list refused a row");
    EXPECT_EQ(view.last("cmdSearch"), "on");
}

TEST(SearchCriteria, ANameIsSplitAtItsLastDotOnlyWithoutAType)
{
    std::string name = "a.b.txt", type, typed = "report.doc", txt = "txt";
    EXPECT_TRUE(RewriteNameWithExtension(name, type));
    EXPECT_FALSE(RewriteNameWithExtension(typed, txt));
    EXPECT_EQ(name + "|" + type + " " + typed + "|" + txt, "a.b|txt report.doc|txt");
}
