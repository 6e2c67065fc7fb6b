#include "search/EntryMatcher.h"

#include <gtest/gtest.h>

#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

const char* const Invoice = "Dear customer, your invoice is attached.";

// A real tree and a hand-made drive pair of it whose stored sizes and dates
// are chosen for the boundaries under test.
class MatchFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        root = tree.path() + "/";
        folders = {
            root + "docs/",  root + "docs/old/", root + "Temp/",    root + "Temp/Old/",
            root + "Temp2/", root + ".hidden/",  root + "Reports/", root + "gone/",
        };
        entries = {
            {"README", 0, "10"},
            {"Report.doc", 0, "102400", "1/10/2004 11:00:00 PM"},
            {".secret.txt", 0, "7"},
            {"ghost.txt", 0, "3"},
            {"Report.DOC", 1, "102401", "1/11/2004 12:01:00 AM"},
            {"medium.bin", 1, "1048576", "1/12/2004"},
            {"big.bin", 1, "1048577", "1/13/2004 9:00:00 AM"},
            {"empty.txt", 1, "0"},
            {"unsized.txt", 1, "", "", ""},
            {"Ärger.txt", 1, "20"},
            {"1234567.dat", 1, "1234567"},
            {"notes.txt", 2, "40"},
            {"server.log", 2, "40"},
            {"noext", 2, "40"},
            {"UPPER.TXT", 2, "7"},
            {"a.txt", 3, "1"},
            {"b.txt", 4, "1"},
            {"c.txt", 5, "1"},
            {"inside.txt", 6, "1"},
        };
        for (const auto& e : entries) {
            const std::string folder = e.folder == 0 ? root : folders[e.folder - 1];
            if (e.name == "ghost.txt")
                continue;
            const std::string relative = folder.substr(root.size()) + e.name;
            if (e.name == "notes.txt" || e.name == "server.log" || e.name == "noext")
                tree.file(relative, Invoice);
            else if (e.name == "UPPER.TXT")
                tree.file(relative, "INVOICE");
            else if (e.name == "unsized.txt")
                tree.file(relative, "12345");
            else
                tree.sizedFile(relative, std::stoll(e.size.empty() ? "0" : e.size));
        }
        tree.dir("Reports");
        writePair(h.indexes, root, IndexMode::Drive, folders, entries);
        h.view.options.ShowFolders = 0;
    }

    SearchCriteria request(std::function<void(SearchCriteria&)> change)
    {
        SearchCriteria c = onDrives({root});
        change(c);
        return c;
    }

    std::vector<std::string> run(const SearchCriteria& criteria)
    {
        h.view.criteria = criteria;
        h.search();
        EXPECT_TRUE(h.finishedNormally()) << h.view.searchTime;
        return h.rowPaths(root);
    }

    TempTree tree;
    std::string root;
    std::vector<std::string> folders;
    std::vector<StoredEntry> entries;
    SearchHarness h;
};

using Rows = std::vector<std::string>;

} // namespace

TEST_F(MatchFixture, NameTests)
{
    struct Case {
        const char* name;
        NameMatch match;
        bool caseSensitive;
        Rows rows;
    } cases[] = {
        {"rep", NameMatch::Contains, false, {"Report.doc", "docs/Report.DOC"}},
        {"rep", NameMatch::Contains, true, {}},
        {"Rep", NameMatch::Contains, true, {"Report.doc", "docs/Report.DOC"}},
        {"rep", NameMatch::StartsWith, true, {"Report.doc", "docs/Report.DOC"}},
        {"PORT", NameMatch::EndsWith, true, {"Report.doc", "docs/Report.DOC"}},
        {"repo", NameMatch::EndsWith, false, {}},
        {"readme", NameMatch::Exactly, true, {"README"}},
        {"read", NameMatch::Exactly, false, {}},
        {"report", NameMatch::Exactly, false, {"Report.doc", "docs/Report.DOC"}},
        {"ärger", NameMatch::Contains, false, {"docs/Ärger.txt"}},
        {"ÄRGER", NameMatch::Exactly, false, {"docs/Ärger.txt"}},
        {"doc", NameMatch::Contains, false, {}}, // the extension is not part of the name test
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(request([&](SearchCriteria& r) {
                      r.name = c.name;
                      r.nameMatch = c.match;
                      r.caseSensitive = c.caseSensitive;
                  })),
                  c.rows)
            << c.name << " " << int(c.match) << " " << c.caseSensitive;
    }
}

TEST_F(MatchFixture, TypeTestAndRowType)
{
    run(request([](SearchCriteria& r) { r.fileType = "doc"; }));
    ASSERT_EQ(h.rowPaths(root), (Rows{"Report.doc", "docs/Report.DOC"}));
    EXPECT_EQ(h.view.rows[0].fileType, "doc");
    EXPECT_EQ(h.view.rows[1].fileType, "doc");

    run(request([](SearchCriteria& r) { r.name = "report"; }));
    ASSERT_EQ(h.view.rows.size(), 2u);
    EXPECT_EQ(h.view.rows[0].fileType, "doc");
    EXPECT_EQ(h.view.rows[1].fileType, "DOC");

    EXPECT_EQ(run(request([](SearchCriteria& r) {
                  r.name = "README";
                  r.nameMatch = NameMatch::Exactly;
                  r.fileType = "txt";
              })),
              Rows{});
    // A name typed with an extension while a type is given stays as it is.
    EXPECT_EQ(run(request([](SearchCriteria& r) {
                  r.name = "report.doc";
                  r.nameMatch = NameMatch::Exactly;
                  r.fileType = "txt";
              })),
              Rows{});
}

TEST_F(MatchFixture, SizeClassesAndTheirBoundaries)
{
    struct Case {
        const char* type;
        const char* size;
        Rows rows;
    } cases[] = {
        {"doc", "Small (Less than 100 KB)", {"Report.doc"}},
        {"doc", "Medium (Less than 1 MB)", {"Report.doc", "docs/Report.DOC"}},
        {"doc", "Large (More than 1 MB)", {}},
        {"bin", "Medium (Less than 1 MB)", {"docs/medium.bin"}},
        {"bin", "Large (More than 1 MB)", {"docs/medium.bin", "docs/big.bin"}},
        {"bin", "Huge", {"docs/medium.bin", "docs/big.bin"}},
        {"bin", "any", {"docs/medium.bin", "docs/big.bin"}},
        {"txt",
         "Small (Less than 100 KB)",
         {"docs/empty.txt", "docs/unsized.txt", "docs/Ärger.txt", "docs/old/notes.txt", "docs/old/UPPER.TXT",
          "Temp/a.txt", "Temp/Old/b.txt", "Temp2/c.txt", ".hidden/inside.txt"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(request([&](SearchCriteria& r) {
                      r.fileType = c.type;
                      r.sizeText = c.size;
                  })),
                  c.rows)
            << c.type << " " << c.size;
    }
}

TEST_F(MatchFixture, AnEmptyStoredSizeIsCompletedFromTheDisk)
{
    run(request([](SearchCriteria& r) {
        r.name = "unsized";
        r.sizeText = "Small (Less than 100 KB)";
    }));
    ASSERT_EQ(h.view.rows.size(), 1u);
    EXPECT_EQ(h.view.rows[0].size, 5u);
    EXPECT_NE(h.view.rows[0].created, NoTime);
    EXPECT_NE(h.view.rows[0].modified, NoTime);

    // Accepted without any size test, it is completed all the same.
    run(request([](SearchCriteria& r) { r.name = "unsized"; }));
    ASSERT_EQ(h.view.rows.size(), 1u);
    EXPECT_EQ(h.view.rows[0].size, 5u);
}

TEST_F(MatchFixture, DatesCompareCalendarDaysExclusively)
{
    struct Case {
        const char* type;
        const char* from;
        const char* to;
        Rows rows;
    } cases[] = {
        {"doc", "01/10/2004", "Any", {"docs/Report.DOC"}},
        {"doc", "Any", "01/11/2004", {"Report.doc"}},
        {"doc", "01/09/2004", "01/12/2004", {"Report.doc", "docs/Report.DOC"}},
        {"bin", "Any", "01/13/2004", {"docs/medium.bin"}},
        {"bin", "01/12/2004", "01/13/2004", {}},
        {"bin", "not a date", "Any", {"docs/medium.bin", "docs/big.bin"}},
        {"bin", "any", "ANY", {"docs/medium.bin", "docs/big.bin"}},
        {"bin", "1/12/2004 11:59:59 PM", "Any", {"docs/big.bin"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(request([&](SearchCriteria& r) {
                      r.fileType = c.type;
                      r.fromDateText = c.from;
                      r.toDateText = c.to;
                  })),
                  c.rows)
            << c.type << " " << c.from << " " << c.to;
    }
}

TEST_F(MatchFixture, InsideFiles)
{
    struct Case {
        const char* what;
        const char* types;
        bool caseSensitive;
        Rows rows;
    } cases[] = {
        {"default types", "txt doc html asp rtf", false, {"docs/old/notes.txt", "docs/old/UPPER.TXT"}},
        {"case-sensitive", "txt doc html asp rtf", true, {"docs/old/notes.txt"}},
        {"log added",
         "txt doc html asp rtf log",
         false,
         {"docs/old/notes.txt", "docs/old/server.log", "docs/old/UPPER.TXT"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(request([&](SearchCriteria& r) {
                      r.searchInsideChecked = true;
                      r.insideText = "invoice";
                      r.insideTypes = c.types;
                      r.caseSensitive = c.caseSensitive;
                  })),
                  c.rows)
            << c.what;
    }
    // The progress label names each file scanned and ends empty.
    EXPECT_NE(std::find(h.view.notesHistory.begin(), h.view.notesHistory.end(),
                        "Scanning: notes.txt (100000 of 40)"),
              h.view.notesHistory.end());
    EXPECT_EQ(h.view.notes, "");

    // Unchecked, the inside text restricts nothing.
    EXPECT_EQ(run(request([](SearchCriteria& r) {
                  r.insideText = "invoice";
                  r.name = "noext";
              })),
              Rows{"docs/old/noext"});
}

TEST_F(MatchFixture, HiddenAndVanishedFilesAreCountedButNeverListed)
{
    const std::string allSearched = "Files Searched: " + std::to_string(entries.size());
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "secret"; })), Rows{});
    EXPECT_EQ(h.view.filesSearched, allSearched);
    EXPECT_EQ(h.view.filesFound, "Files Found: 0");
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "ghost"; })), Rows{});
    EXPECT_EQ(h.view.filesSearched, allSearched);
    EXPECT_EQ(h.view.filesFound, "Files Found: 0");
    // A file inside a hidden folder is not hidden itself.
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "inside"; })), Rows{".hidden/inside.txt"});
}

TEST_F(MatchFixture, RowCells)
{
    run(request([](SearchCriteria& r) { r.name = "1234567"; }));
    ASSERT_EQ(h.view.rows.size(), 1u);
    const ResultRow& row = h.view.rows[0];
    EXPECT_EQ(row.name, "1234567.dat");
    EXPECT_EQ(row.path, root + "docs/");
    EXPECT_EQ(row.fileType, "dat");
    EXPECT_EQ(row.size, 1234567u);
    // 3/1/2005 10:15:00 AM and 3/2/2005 4:30:10 PM as local calendar seconds.
    EXPECT_EQ(row.created, 1109672100);
    EXPECT_EQ(row.modified, 1109781010);
    EXPECT_FALSE(row.isFolder);

    run(request([](SearchCriteria& r) { r.name = "empty"; }));
    EXPECT_EQ(h.view.rows.at(0).size, 0u);
}

TEST_F(MatchFixture, FolderRowsComeFirstAndAreNotCounted)
{
    h.view.options.ShowFolders = 1;
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "rep"; })),
              (Rows{"Reports/", "Report.doc", "docs/Report.DOC"}));
    EXPECT_EQ(h.view.filesFound, "Files Found: 2");
    const ResultRow& folder = h.view.rows[0];
    EXPECT_TRUE(folder.isFolder);
    EXPECT_EQ(folder.name, "Reports");
    EXPECT_EQ(folder.path, root);
    EXPECT_EQ(folder.fileType, "");
    EXPECT_EQ(folder.size, 0u);
    EXPECT_EQ(folder.created, NoTime);
    EXPECT_EQ(folder.modified, NoTime);

    // Folder names ignore the case option; hidden and vanished folders are not listed.
    EXPECT_EQ(run(request([](SearchCriteria& r) {
                  r.name = "OLD";
                  r.caseSensitive = true;
              })),
              (Rows{"docs/old/", "Temp/Old/"}));
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "hidden"; })), Rows{});
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "gone"; })), Rows{});

    // Only with a name and without a type.
    EXPECT_EQ(run(request([](SearchCriteria& r) {
                  r.name = "rep";
                  r.fileType = "doc";
              })),
              (Rows{"Report.doc", "docs/Report.DOC"}));
    h.view.options.ShowFolders = 0;
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "old"; })), Rows{});
}

TEST_F(MatchFixture, ExcludedFoldersAreSkippedWithoutCounting)
{
    h.view.options.ShowFolders = 1;
    h.view.options.ExcludedFolders = {"", root + "Temp/"};
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.fileType = "txt"; })),
              (Rows{"docs/empty.txt", "docs/unsized.txt", "docs/Ärger.txt", "docs/old/notes.txt",
                    "docs/old/UPPER.TXT", "Temp2/c.txt", ".hidden/inside.txt"}));
    EXPECT_EQ(h.view.filesSearched, "Files Searched: " + std::to_string(entries.size() - 2));
    EXPECT_EQ(run(request([](SearchCriteria& r) { r.name = "old"; })), Rows{"docs/old/"});
}

TEST_F(MatchFixture, FolderScopeKeepsTheFoldersOwnFilesOnly)
{
    EXPECT_EQ(run(request([&](SearchCriteria& r) {
                  r.scope = SearchScope::Folder;
                  r.drives.clear();
                  r.folderRoot = root;
                  r.folder = root + "docs";
                  r.fileType = "txt";
              })),
              (Rows{"docs/empty.txt", "docs/unsized.txt", "docs/Ärger.txt"}));
    // Every entry that is not excluded is examined, in the folder or not.
    EXPECT_EQ(h.view.filesSearched, "Files Searched: " + std::to_string(entries.size()));

    // The folder at the root of the pair: the root's own files.
    EXPECT_EQ(run(request([&](SearchCriteria& r) {
                  r.scope = SearchScope::Folder;
                  r.folderRoot = root;
                  r.folder = root;
                  r.name = "re";
              })),
              (Rows{"README", "Report.doc"}));
}

TEST_F(MatchFixture, ControlsChangedDuringASearchApplyFromTheNextEntry)
{
    // 250 more entries so that the matcher yields while it works.
    for (int i = 0; i < 250; ++i) {
        entries.push_back({"late" + std::to_string(i) + ".txt", 0, "1"});
        tree.file("late" + std::to_string(i) + ".txt");
    }
    writePair(h.indexes, root, IndexMode::Drive, folders, entries);
    h.view.onReadCriteria = [&](SearchCriteria& c) {
        if (h.state.FilesSearchedCount >= 200)
            c.name = "late24";
    };
    const Rows rows = run(request([](SearchCriteria& r) { r.name = "late1"; }));
    // late1, late10..late19, late100..late180 are examined before the change;
    // after it, late240..late249.
    EXPECT_EQ(rows.front(), "late1.txt");
    EXPECT_EQ(rows.back(), "late249.txt");
    EXPECT_NE(std::find(rows.begin(), rows.end(), "late240.txt"), rows.end());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "late199.txt"), rows.end());
}
