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
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
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

TEST_F(LoaderFixture, AcceptsBareLineFeedsAndAMissingLastLineEnd)
{
    writePair("-", "stamp\na|0|1|c|m\nb|0|2|c|m", "stamp\n/");
    ASSERT_TRUE(LoadIndex(ctx, "/", 0));
    ASSERT_EQ(ctx.index.entryCount(), 2u);
    EXPECT_EQ(ctx.index.entry(1).name, "b");
    EXPECT_EQ(ctx.index.entry(1).modified, "m");
    EXPECT_EQ(ctx.index.folder(0), "/");
}

TEST_F(LoaderFixture, ASmallerLoadLeavesNothingOfTheLargerOne)
{
    writePair("home", entryLines(10), Stamp + "/home/\r\n/home/sub/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
    EXPECT_EQ(ctx.index.entryCount(), 10u);
    writePair("home", entryLines(3), Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
    EXPECT_EQ(ctx.index.entryCount(), 3u);
    EXPECT_EQ(ctx.index.folderCount(), 1u);
    EXPECT_EQ(ctx.index.entry(3).name, "");
    EXPECT_EQ(ctx.index.folder(1), "");
}

TEST_F(LoaderFixture, AStampOnlyEntriesFileLoadsNoEntries)
{
    writePair("home", Stamp, Stamp + "/home/\r\n/home/a/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
    EXPECT_EQ(ctx.index.entryCount(), 0u);
    EXPECT_EQ(ctx.index.folderCount(), 2u);
}

TEST_F(LoaderFixture, AMissingFileIsNoIndexAndNoError)
{
    EXPECT_FALSE(LoadIndex(ctx, "/home/", 0));
    tree.file("home.idx", entryLines(2));
    EXPECT_FALSE(LoadIndex(ctx, "/home/", 0));
    EXPECT_EQ(ctx.LoadedIndexRoot, "");
    EXPECT_EQ(ctx.index.entryCount(), 0u);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoaderFixture, TheFolderPairIgnoresTheRootForItsNames)
{
    writePair("temp", entryLines(1), Stamp + "/srv/data/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/srv/data/", 1));
    EXPECT_EQ(ctx.LoadedIndexRoot, "/srv/data/");
    EXPECT_FALSE(LoadIndex(ctx, "/srv/data/", 0));
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
        {"empty line", Stamp + "a|0|1|c|m\r\n\r\n", Stamp + "/home/\r\n", 4},
        {"folder number not a number", Stamp + "a|x|1|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"negative folder number", Stamp + "a|-1|1|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"folder number too large", Stamp + "a|4294967296|1|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"invalid escape in a name", Stamp + "a%41|0|1|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"cut escape in a name", Stamp + "a%7|0|1|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"line too long", Stamp + "a|0|" + std::string(70000, '1') + "|c|m\r\n", Stamp + "/home/\r\n", 4},
        {"invalid escape in a folder", Stamp, Stamp + "/home/\r\n/home/%zz/\r\n", 6},
        {"folder that does not exist", Stamp + "a|0|1|c|m\r\nb|2|1|c|m\r\n", Stamp + "/home/\r\n/home/a/\r\n",
         7},
        {"no folders at all", Stamp + "a|0|1|c|m\r\n", Stamp, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writePair("home", entryLines(5), Stamp + "/home/\r\n");
        ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
        reporter.reports.clear();

        writePair("home", c.entries, c.folders);
        EXPECT_FALSE(LoadIndex(ctx, "/home/", 0));
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
    EXPECT_FALSE(LoadIndex(ctx, "relative/", 0));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, ErrorNumbers::InvalidArgument);
    EXPECT_NE(reporter.reports[0].description.find(" Position: 2"), std::string::npos);
}

TEST_F(LoaderFixture, YieldsEveryThousandLines)
{
    writePair("home", entryLines(2500), Stamp + "/home/\r\n");
    int yields = 0;
    ctx.yield = [&] { ++yields; };
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
    EXPECT_EQ(yields, 1 + 2);
}

TEST_F(LoaderFixture, CompletedEntriesShowTheirNewDetails)
{
    writePair("home", Stamp + "gone.txt|0||Deleted|Deleted\r\nkept.txt|0|5|c|m\r\n", Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
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
    ASSERT_TRUE(LoadIndex(ctx, "/home/", 0));
    const size_t bound = entries.size() * 3 / 2 + 24 * ctx.index.entryCount();
    EXPECT_LE(ctx.index.memoryBytes(), bound);
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

TEST_F(LoaderFixture, AgeOfAFutureStampIsNegative)
{
    tree.file("home.idx", formatDateText(std::time(nullptr) + 3 * 86400) + "\r\n");
    EXPECT_LT(IndexAgeHours(ctx, "/home/"), -47);
}

TEST_F(LoaderFixture, AgeWithoutAStampIsOneHundred)
{
    EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100);
    tree.file("home.idx", "");
    EXPECT_EQ(IndexAgeHours(ctx, "/home/"), 100);
    EXPECT_TRUE(reporter.reports.empty());

    tree.file("home.idx", "yesterday\r\na|0|1|c|m\r\n");
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
