#include "search/EntryMatcher.h"

#include <gtest/gtest.h>

#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;
using enum NameMatch;
using Rows = std::vector<std::string>;

namespace {

const char* const Small = "Small (Less than 100 KB)";
const char* const Medium = "Medium (Less than 1 MB)";
const char* const Large = "Large (More than 1 MB)";

struct Case {
    const char* what;
    SearchCriteria request; // on the fixture's drive
    Rows rows;              // paths below the root, in listing order
};

// A real tree and a hand-made pair whose sizes and dates sit on the boundaries under test.
class Matcher : public ::testing::Test {
  protected:
    void SetUp() override
    {
        folders = {root + "docs/",  root + "docs/old/", root + "Temp/",    root + "Temp/Old/",
                   root + "Temp2/", root + ".hidden/",  root + "Reports/", root + "gone/"};
        entries = {{"Report.doc", 0, "102400", "1/10/2004 11:00:00 PM"},
                   {".secret.txt", 0, "7"},
                   {"ghost.txt", 0, "3"},
                   {"Report.DOC", 1, "102401", "1/11/2004 12:01:00 AM"},
                   {"medium.bin", 1, "1048576", "1/12/2004"},
                   {"big.bin", 1, "1048577", "1/13/2004 9:00:00 AM"},
                   {"unsized.txt", 1, "", "", ""},
                   {"1234567.dat", 1, "1234567"},
                   {"notes.txt", 2, "40"},
                   {"noext", 2, "40"},
                   {"UPPER.TXT", 2, "7"},
                   {"b.txt", 4, "1"},
                   {"inside.txt", 6, "1"}};
        for (const auto& e : entries) {
            const std::string path = (e.folder ? folders[e.folder - 1].substr(root.size()) : "") + e.name;
            if (e.name == "notes.txt" || e.name == "noext")
                tree.file(path, "Dear customer, your invoice is attached.");
            else if (e.name == "UPPER.TXT" || e.name == "unsized.txt")
                tree.file(path, e.name == "UPPER.TXT" ? "INVOICE" : "12345");
            else if (e.name != "ghost.txt")
                tree.sizedFile(path, e.size.empty() ? 0 : std::stoll(e.size));
        }
        tree.dir("Reports");
        writePair(h.indexes, root, folders, entries);
    }

    Rows run(SearchCriteria request)
    {
        request.drives = {root};
        if (request.insideTypes.empty())
            request.insideTypes = "txt doc html asp rtf";
        h.view.criteria = request;
        h.search();
        EXPECT_TRUE(h.view.last("lblSearchTime").starts_with("Results Returned In: "));
        return h.rowPaths(root);
    }
    void expectRows(std::initializer_list<Case> cases)
    {
        for (const auto& c : cases)
            EXPECT_EQ(run(c.request), c.rows) << c.what;
    }

    TempTree tree;
    std::string root = tree.path() + "/";
    std::vector<std::string> folders;
    std::vector<StoredEntry> entries;
    SearchHarness h;
};

} // namespace

TEST_F(Matcher, SizeClassesAndTheirBoundaries)
{
    const Rows bins = {"docs/medium.bin", "docs/big.bin"};
    expectRows({{"102,400 is small", {.fileType = "doc", .sizeText = Small}, {"Report.doc"}},
                {"medium takes small ones",
                 {.fileType = "doc", .sizeText = Medium},
                 {"Report.doc", "docs/Report.DOC"}},
                {"1,048,576 is medium", {.fileType = "bin", .sizeText = Medium}, {"docs/medium.bin"}},
                {"1,048,576 is large too", {.fileType = "bin", .sizeText = Large}, bins},
                {"an unknown class restricts nothing", {.fileType = "bin", .sizeText = "Huge"}, bins},
                {"an empty stored size is read from the disk",
                 {.name = "unsized", .sizeText = Small},
                 {"docs/unsized.txt"}}});
    EXPECT_EQ(h.view.rows.at(0).size, 5u);
}

TEST_F(Matcher, DatesCompareCalendarDaysExclusively)
{
    const Rows bins = {"docs/medium.bin", "docs/big.bin"};
    expectRows(
        {{"created on the from day", {.fileType = "doc", .fromDateText = "01/10/2004"}, {"docs/Report.DOC"}},
         {"created on the to day", {.fileType = "doc", .toDateText = "01/11/2004"}, {"Report.doc"}},
         {"midnight is the day", {.fileType = "bin", .toDateText = "01/13/2004"}, {"docs/medium.bin"}},
         {"nothing strictly between",
          {.fileType = "bin", .fromDateText = "1/12/2004", .toDateText = "1/13/2004"},
          {}},
         {"a date with a time",
          {.fileType = "bin", .fromDateText = "1/12/2004 11:59:59 PM"},
          {"docs/big.bin"}},
         {"no dates", {.fileType = "bin", .fromDateText = "2/30/2004", .toDateText = "ANY"}, bins}});
}

TEST_F(Matcher, InsideFiles)
{
    // The command line's test covers the case option and the types list.
    expectRows(
        {{"listed types only",
          {.searchInsideChecked = true, .insideText = "invoice"},
          {"docs/old/notes.txt", "docs/old/UPPER.TXT"}},
         {"unchecked restricts nothing", {.name = "noext", .insideText = "invoice"}, {"docs/old/noext"}}});
}

TEST_F(Matcher, HiddenAndVanishedFilesAreCountedButNeverListed)
{
    for (const char* name : {"secret", "ghost"}) {
        EXPECT_EQ(run({.name = name}), Rows{});
        EXPECT_EQ(h.view.states("lblFilesSearched lblFilesFound"),
                  "lblFilesSearched:Files Searched: 13 lblFilesFound:Files Found: 0");
    }
    EXPECT_EQ(run({.name = "inside"}), Rows{".hidden/inside.txt"}); // a hidden folder's file is not hidden
}

TEST_F(Matcher, RowsCarryRawValuesAndFolderRowsComeFirst)
{
    run({.name = "1234567"});
    const ResultRow& row = h.view.rows.at(0);
    // 3/1/2005 10:15:00 AM and 3/2/2005 4:30:10 PM as local calendar seconds.
    EXPECT_TRUE(row.size == 1234567 && row.created == 1109672100 && row.modified == 1109781010);

    h.view.options.ShowFolders = true;
    EXPECT_EQ(run({.name = "rep"}), (Rows{"Reports/", "Report.doc", "docs/Report.DOC"}));
    const ResultRow& folder = h.view.rows[0];
    EXPECT_TRUE(folder.isFolder && folder.path == root && folder.size == 0 && folder.created == NoTime);
    EXPECT_EQ(h.view.rows[2].fileType, "DOC"); // as stored, unless a type is asked for
    expectRows({{"folders ignore the case option",
                 {.name = "OLD", .caseSensitive = true},
                 {"docs/old/", "Temp/Old/"}},
                {"hidden folders", {.name = "hidden"}, {}},
                {"vanished folders", {.name = "gone"}, {}},
                {"not with a type", {.name = "rep", .fileType = "doc"}, {"Report.doc", "docs/Report.DOC"}}});
    EXPECT_EQ(h.view.rows[1].fileType, "doc");
}
