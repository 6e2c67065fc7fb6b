#include "index/IndexLoader.h"

#include <gtest/gtest.h>

#include <ctime>

#include "core/DateText.h"
#include "core/ErrorCodes.h"
#include "index/RecordingReporter.h"
#include "support/TempTree.h"

using namespace zephrix;
using zephrix::indextest::RecordingReporter;
using zephrix::test::TempTree;

namespace {

const std::string Stamp = "12/5/2026 9:22:48 AM\r\n";

struct LoaderFixture : ::testing::Test {
    TempTree tree;
    RecordingReporter reporter;
    IndexContext ctx;

    LoaderFixture()
    {
        ctx.indexesDir = tree.path();
        ctx.errors = &reporter;
    }
    void writePair(const std::string& stem, const std::string& entries, const std::string& folders)
    {
        tree.file(stem + ".idx", entries);
        tree.file(stem + "paths.idx", folders);
    }
    std::string entryLines(int count)
    {
        std::string lines = Stamp;
        for (int i = 0; i < count; ++i)
            lines += "file" + std::to_string(i) + ".txt|0|" + std::to_string(i) + "|1/1/2020|1/2/2020\r\n";
        return lines;
    }
};

} // namespace

TEST_F(LoaderFixture, LoadsBothFilesAndDecodesNamesAndFolders)
{
    writePair("home",
              Stamp + "readme.txt|0|1024|3/1/2005 10:15:00 AM|3/2/2005 4:30:10 PM\r\n"
                      "a%7Cb%25c%0D%0A.txt|1||Deleted|Deleted\r\n",
              Stamp + "/home/\r\n/home/we%7Cird%0Afolder/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.LoadedIndexRoot, "/home/");
    ASSERT_EQ(ctx.index.entryCount(), 2u);
    ASSERT_EQ(ctx.index.folderCount(), 2u);
    EXPECT_EQ(ctx.index.folder(0), "/home/");
    EXPECT_EQ(ctx.index.folder(1), "/home/we|ird\nfolder/");

    const IndexEntry first = ctx.index.entry(0);
    EXPECT_EQ(first.name, "readme.txt");
    EXPECT_EQ(first.folderIndex, 0u);
    EXPECT_EQ(first.size, "1024");
    EXPECT_EQ(first.created, "3/1/2005 10:15:00 AM");
    EXPECT_EQ(first.modified, "3/2/2005 4:30:10 PM");

    const IndexEntry second = ctx.index.entry(1);
    EXPECT_EQ(second.name, "a|b%c\r\n.txt");
    EXPECT_EQ(second.folderIndex, 1u);
    EXPECT_EQ(second.size, "");
    EXPECT_EQ(second.created, "Deleted");
    EXPECT_EQ(second.modified, "Deleted");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoaderFixture, AcceptsBareLineFeedsBeforeTheLastLineEnd)
{
    writePair("-", "stamp\na|0|1|1/1/2020|1/2/2020\nb|0|2|1/1/2020|1/2/2020\r\n", "stamp\n/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/", IndexMode::Drive));
    ASSERT_EQ(ctx.index.entryCount(), 2u);
    EXPECT_EQ(ctx.index.entry(1).name, "b");
    EXPECT_EQ(ctx.index.entry(1).modified, "1/2/2020");
    EXPECT_EQ(ctx.index.folder(0), "/");
}

TEST_F(LoaderFixture, ASmallerLoadLeavesNothingOfTheLargerOne)
{
    writePair("home", entryLines(10), Stamp + "/home/\r\n/home/sub/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entryCount(), 10u);
    writePair("home", entryLines(3), Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entryCount(), 3u);
    EXPECT_EQ(ctx.index.folderCount(), 1u);
    EXPECT_EQ(ctx.index.entry(3).name, "");
    EXPECT_EQ(ctx.index.folder(1), "");
}

TEST_F(LoaderFixture, AStampOnlyEntriesFileLoadsNoEntries)
{
    writePair("home", Stamp, Stamp + "/home/\r\n/home/a/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entryCount(), 0u);
    EXPECT_EQ(ctx.index.folderCount(), 2u);
}

TEST_F(LoaderFixture, AMissingFileIsNoIndexAndNoError)
{
    EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    tree.file("home.idx", entryLines(2));
    EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.LoadedIndexRoot, "");
    EXPECT_EQ(ctx.index.entryCount(), 0u);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoaderFixture, TheFolderPairIgnoresTheRootForItsNames)
{
    writePair("temp", entryLines(1), Stamp + "/srv/data/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/srv/data/", IndexMode::Folder));
    EXPECT_EQ(ctx.LoadedIndexRoot, "/srv/data/");
    EXPECT_FALSE(LoadIndex(ctx, "/srv/data/", IndexMode::Drive));
}

TEST_F(LoaderFixture, BadPairsFailWithTheirPosition)
{
    struct Case {
        const char* what;
        std::string entries;
        std::string folders;
        int position;
    } cases[] = {
        {"empty entries file", "", Stamp + "/home/\r\n", 3},
        {"four fields", Stamp + "a|0|1|date\r\n", Stamp + "/home/\r\n", 4},
        {"empty line", Stamp + "a|0|1|1/1/2020|1/2/2020\r\n\r\n", Stamp + "/home/\r\n", 4},
        {"folder number not a number", Stamp + "a|x|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n", 4},
        {"negative folder number", Stamp + "a|-1|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n", 4},
        {"folder number too large", Stamp + "a|4294967296|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n", 4},
        {"invalid escape in a name", Stamp + "a%41|0|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n", 4},
        {"cut escape in a name", Stamp + "a%7|0|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n", 4},
        {"line too long", Stamp + "a|0|" + std::string(70000, '1') + "|1/1/2020|1/2/2020\r\n",
         Stamp + "/home/\r\n", 4},
        {"invalid escape in a folder", Stamp, Stamp + "/home/\r\n/home/%zz/\r\n", 6},
        {"folder that does not exist", Stamp + "a|0|1|1/1/2020|1/2/2020\r\nb|2|1|1/1/2020|1/2/2020\r\n",
         Stamp + "/home/\r\n/home/a/\r\n", 7},
        {"no folders at all", Stamp + "a|0|1|1/1/2020|1/2/2020\r\n", Stamp, 7},
        {"stamps of two builds", Stamp + "a|0|1|1/1/2020|1/2/2020\r\n", "1/1/2020\r\n/home/\r\n", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writePair("home", entryLines(5), Stamp + "/home/\r\n");
        ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
        reporter.reports.clear();

        writePair("home", c.entries, c.folders);
        EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
        EXPECT_EQ(ctx.LoadedIndexRoot, "");
        EXPECT_EQ(ctx.index.entryCount(), 0u);
        ASSERT_EQ(reporter.reports.size(), 1u);
        EXPECT_EQ(reporter.reports[0].location, Locations::LoadIndex);
        const std::string suffix = " Position: " + std::to_string(c.position);
        const std::string& text = reporter.reports[0].description;
        EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix) << text;
    }
}

TEST_F(LoaderFixture, AStemlessRootFailsAtPositionTwo)
{
    EXPECT_FALSE(LoadIndex(ctx, "relative/", IndexMode::Drive));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, ErrorNumbers::InvalidArgument);
    EXPECT_NE(reporter.reports[0].description.find(" Position: 2"), std::string::npos);
}

TEST_F(LoaderFixture, YieldsEveryThousandLines)
{
    writePair("home", entryLines(2500), Stamp + "/home/\r\n");
    int yields = 0;
    ctx.yield = [&] { ++yields; };
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(yields, 1 + 2);
}

TEST_F(LoaderFixture, CompletedEntriesShowTheirNewDetails)
{
    writePair("home", Stamp + "gone.txt|0||Deleted|Deleted\r\nkept.txt|0|5|1/1/2020|1/2/2020\r\n",
              Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    ctx.index.completeEntry(0, "77", "1/1/2020 1:00:00 AM", "1/2/2020");
    EXPECT_EQ(ctx.index.entry(0).name, "gone.txt");
    EXPECT_EQ(ctx.index.entry(0).size, "77");
    EXPECT_EQ(ctx.index.entry(0).created, "1/1/2020 1:00:00 AM");
    EXPECT_EQ(ctx.index.entry(0).modified, "1/2/2020");
    EXPECT_EQ(ctx.index.entry(1).size, "5");
    ctx.index.completeEntry(99, "1", "2", "3");
    EXPECT_EQ(ctx.index.entryCount(), 2u);
}

TEST_F(LoaderFixture, TablesStayWithinTheirMemoryBound)
{
    const std::string entries = entryLines(20000);
    writePair("home", entries, Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    const size_t bound = entries.size() * 3 / 2 + 24 * ctx.index.entryCount();
    EXPECT_LE(ctx.index.memoryBytes(), bound);
}

TEST_F(LoaderFixture, LinesSplitAnyWayBetweenReadsLoadWhole)
{
    // Dates of every length the writer makes.
    auto createdOf = [](size_t i) {
        return std::to_string(i % 12 + 1) + "/" + std::to_string(i % 28 + 1) + "/" +
               std::to_string(1990 + i % 40) +
               (i % 4 == 0 ? ""
                           : " " + std::to_string(i % 12 + 1) + ":0" + std::to_string(i % 10) + ":59 AM");
    };
    // Well past several read pieces, with lines of every length, so line
    // ends, escapes, CRs and extra fields fall on every side of a boundary.
    struct Expected {
        std::string name;
        uint32_t folder;
        std::string size;
        std::string modified;
    };
    std::vector<Expected> expected;
    std::string entries = Stamp;
    for (int i = 0; entries.size() < 1500000; ++i) {
        Expected e;
        std::string stored = "n" + std::to_string(i) + std::string(size_t(i % 97), 'x');
        e.name = stored;
        if (i % 13 == 0) {
            stored += "%7C%25";
            e.name += "|%";
        }
        e.folder = uint32_t(i % 3);
        e.size = i % 11 == 0 ? "" : std::to_string(i);
        e.modified = i % 5 == 0 ? "12/31/1999" : "1/2/2003 4:05:06 PM";
        entries +=
            stored + "|" + std::to_string(e.folder) + "|" + e.size + "|" + createdOf(i) + "|" + e.modified;
        if (i % 7 == 0)
            entries += "|dropped|" + std::string(size_t(i % 300), 'd');
        entries += i % 2 == 0 ? "\r\n" : "\n";
        expected.push_back(e);
    }
    // The file ends in CR LF whatever its last line's end.
    if (entries[entries.size() - 2] != '\r')
        entries.insert(entries.size() - 1, "\r");
    writePair("home", entries, Stamp + "/home/\r\n/home/a/\r\n/home/b/\r\n");

    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive)) << reporter.reports.at(0).description;
    ASSERT_EQ(ctx.index.entryCount(), expected.size());
    for (size_t row = 0; row < expected.size(); ++row) {
        const IndexEntry entry = ctx.index.entry(row);
        ASSERT_EQ(entry.name, expected[row].name) << row;
        ASSERT_EQ(ctx.index.entryName(row), expected[row].name) << row;
        ASSERT_EQ(entry.folderIndex, expected[row].folder) << row;
        ASSERT_EQ(ctx.index.entryFolder(row), expected[row].folder) << row;
        ASSERT_EQ(entry.size, expected[row].size) << row;
        ASSERT_EQ(entry.created, createdOf(row)) << row;
        ASSERT_EQ(entry.modified, expected[row].modified) << row;
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoaderFixture, ALineLongerThanAReadLoads)
{
    writePair("home",
              Stamp + "a|0|1|1/1/2020|1/2/2020|" + std::string(700000, 'z') +
                  "\r\nb|0|2|1/1/2020|1/2/2020\r\n",
              Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    ASSERT_EQ(ctx.index.entryCount(), 2u);
    EXPECT_EQ(ctx.index.entry(0).modified, "1/2/2020");
    EXPECT_EQ(ctx.index.entry(1).name, "b");
}

TEST_F(LoaderFixture, ABadLineFarIntoTheFileIsNamedByItsNumber)
{
    std::string entries = entryLines(30000);
    entries += "broken|0|1\r\n";
    entries += entryLines(10).substr(Stamp.size());
    writePair("home", entries, Stamp + "/home/\r\n");
    EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].description.find("line 30002 of"), std::string::npos)
        << reporter.reports[0].description;
    EXPECT_NE(reporter.reports[0].description.find("fewer than five fields Position: 4"), std::string::npos)
        << reporter.reports[0].description;
}

TEST_F(LoaderFixture, FolderNumbers)
{
    // A number that reads is checked against the folders (position 7, with
    // the number as read); anything else fails as not a number (position 4).
    struct Case {
        const char* field;
        const char* read; // nullptr: not a number
    } cases[] = {
        {"1", "1"},
        {"00000001", "1"},
        {"12345678", "12345678"},
        {"99999999", "99999999"},
        {"123456789", "123456789"},
        {"0000000000000000007", "7"},
        {"00000000000000000007", "7"},
        {"000000000000000000007", nullptr},
        {"4294967295", "4294967295"},
        {"4294967296", nullptr},
        {"99999999999999999999", nullptr},
        {"", nullptr},
        {"1a", nullptr},
        {"a1", nullptr},
        {"1234567:", nullptr},
        {"/1", nullptr},
        {" 1", nullptr},
        {"+1", nullptr},
        {"-0", nullptr},
        {"1%", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        reporter.reports.clear();
        writePair("home", Stamp + "a|" + c.field + "|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n");
        EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
        ASSERT_EQ(reporter.reports.size(), 1u);
        const std::string& text = reporter.reports[0].description;
        if (c.read) {
            EXPECT_NE(text.find(std::string("names folder ") + c.read + ","), std::string::npos) << text;
            EXPECT_NE(text.find("Position: 7"), std::string::npos) << text;
        } else {
            EXPECT_NE(text.find("not a number Position: 4"), std::string::npos) << text;
        }
    }
    writePair("home", Stamp + "a|00|1|1/1/2020|1/2/2020\r\nb|0000001|1|1/1/2020|1/2/2020\r\n",
              Stamp + "/home/\r\n/home/a/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entry(0).folderIndex, 0u);
    EXPECT_EQ(ctx.index.entry(1).folderIndex, 1u);
}

TEST_F(LoaderFixture, LineEndsAndFieldEdges)
{
    // An entry without a size takes its dates from the disk, so its stored
    // ones are not looked at: those lines show what the split keeps.
    struct Case {
        const char* what;
        std::string line;
        std::string name;
        std::string modified;
    } cases[] = {
        {"CR LF", "a|0|1|1/1/2020|1/2/2020\r\n", "a", "1/2/2020"},
        {"LF", "a|0|1|1/1/2020|1/2/2020\n", "a", "1/2/2020"},
        {"empty last field", "a|0||c|\r\n", "a", ""},
        {"two CRs, one is the line end's", "a|0||1/1/2020|1/2/2020\r\r\n", "a", "1/2/2020\r"},
        {"CR inside a field", "a\rb|0||c\r|m\r\n", "a\rb", "m"},
        {"extra fields", "a|0|1|1/1/2020|1/2/2020|x|y\r\n", "a", "1/2/2020"},
        {"CR after the fifth field is text", "a|0||1/1/2020|1/2/2020\r|x\r\n", "a", "1/2/2020\r"},
        {"percent outside the name is text", "a|0||c%|m%zz\r\n", "a", "m%zz"},
        {"empty name", "|0|1|1/1/2020|1/2/2020\r\n", "", "1/2/2020"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writePair("home", Stamp + c.line + "z|0|1|1/1/2020|1/2/2020\r\n", Stamp + "/home/\r\n");
        ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
        ASSERT_EQ(ctx.index.entryCount(), 2u);
        EXPECT_EQ(ctx.index.entry(0).name, c.name);
        EXPECT_EQ(ctx.index.entry(0).modified, c.modified);
    }
}

TEST_F(LoaderFixture, FolderLinesKeepBarsAndDecodeEscapes)
{
    writePair("home", entryLines(1), Stamp + "/home/\r\n/home/a|b/\r\n/home/c%7Cd%25/\n/home/e/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    ASSERT_EQ(ctx.index.folderCount(), 4u);
    EXPECT_EQ(ctx.index.folder(1), "/home/a|b/");
    EXPECT_EQ(ctx.index.folder(2), "/home/c|d%/");
    EXPECT_EQ(ctx.index.folder(3), "/home/e/");
}

// --- age --------------------------------------------------------------------

namespace {

// A stamp `secondsBeforeHour` before the start of the present clock hour,
// with the clock hour it was taken in (to retry across an hour boundary).
std::string stampBeforeThisHour(std::time_t secondsBeforeHour, int64_t& hourTaken)
{
    const std::time_t now = std::time(nullptr);
    const LocalDateTime local = toLocalDateTime(now);
    hourTaken = local.hourNumber();
    const std::time_t hourStart = now - local.minute * 60 - local.second;
    return formatDateText(hourStart - secondsBeforeHour);
}

} // namespace

TEST_F(LoaderFixture, AgeCountsClockHourBoundaries)
{
    struct Case {
        std::time_t beforeHour;
        int age;
    } cases[] = {
        {-1, 0},   // a second after this hour began
        {1, 1},    // 9:59:59 read in the 10 o'clock hour
        {3600, 1}, // the start of the previous hour
        {3601, 2}, {3 * 3600, 3},
    };
    for (const auto& c : cases) {
        for (;;) {
            int64_t hourBefore = 0;
            tree.file("home.idx", stampBeforeThisHour(c.beforeHour, hourBefore) + "\r\n");
            const int age = IndexAgeHours(ctx, "/home/");
            if (nowLocal().hourNumber() != hourBefore)
                continue;
            EXPECT_EQ(age, c.age) << c.beforeHour;
            break;
        }
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoaderFixture, AgeOfAFutureStampIsOneHundred)
{
    for (const std::time_t ahead : {2, 3 * 86400}) {
        tree.file("home.idx", formatDateText(std::time(nullptr) + ahead) + "\r\n");
        EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100) << ahead;
    }
}

TEST_F(LoaderFixture, AgeWithoutAStampIsOneHundred)
{
    EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100);
    tree.file("home.idx", "");
    EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100);
    EXPECT_TRUE(reporter.reports.empty());

    tree.file("home.idx", "yesterday\r\na|0|1|1/1/2020|1/2/2020\r\n");
    EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, Locations::IndexAgeHours);
}

TEST_F(LoaderFixture, AgeOfAStemlessRootIsReported)
{
    EXPECT_EQ(IndexAgeHours(ctx, "C:\\"), 9999);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, Locations::IndexAgeHours);
    EXPECT_EQ(reporter.reports[0].number, ErrorNumbers::InvalidArgument);
}

TEST_F(LoaderFixture, AgeReadsTheDrivePairOnly)
{
    tree.file("temp.idx", formatDateText(std::time(nullptr)) + "\r\n");
    EXPECT_EQ(IndexAgeHours(ctx, "/temp/"), 100);
}
