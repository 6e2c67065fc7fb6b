#include "index/IndexLoader.h"
#include "index/SeparatorScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/IndexPair.h"
#include "support/RecordingReporter.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

const std::string Stamp = "12/5/2026 9:22:48 AM\r\n";

struct Loader : ::testing::Test {
    TempTree tree;
    RecordingReporter reporter;
    IndexContext ctx;

    Loader()
    {
        ctx.indexesDir = tree.path();
        ctx.errors = &reporter;
    }
    // The pair of /home/ (stem "home"), or of the folder pair.
    void pair(const std::string& entries, const std::string& folders, const std::string& stem = "home")
    {
        tree.file(stem + ".idx", entries);
        tree.file(stem + "paths.idx", folders);
    }
    static std::string entryLines(int count)
    {
        std::string lines = Stamp;
        for (int i = 0; i < count; ++i)
            lines += "file" + std::to_string(i) + ".txt|0|" + std::to_string(i) + "|1/1/2020|1/2/2020\r\n";
        return lines;
    }
    std::string row(size_t i) const
    {
        const IndexEntry e = ctx.index.entry(i);
        return std::string(e.name) + "|" + std::to_string(e.folderIndex) + "|" + std::string(e.size) + "|" +
               std::string(e.created) + "|" + std::string(e.modified);
    }
};

} // namespace

TEST_F(Loader, EntryLinesAndTheirEdges)
{
    struct Case {
        const char* what;
        std::string line, row;
    } cases[] = {
        {"CR LF", "a.txt|0|1024|3/1/2005 10:15:00 AM|3/2/2005 4:30:10 PM\r\n",
         "a.txt|0|1024|3/1/2005 10:15:00 AM|3/2/2005 4:30:10 PM"},
        {"escapes in the name, in either case", "a%7Cb%25c%0D%0a%7c.txt|1||Deleted|Deleted\r\n",
         "a|b%c\r\n|.txt|1||Deleted|Deleted"},
        // Without a size the dates are read from the disk, so any text is kept.
        {"CR inside fields", "a\rb|0||c\r|m\r\n", "a\rb|0||c\r|m"},
        {"extra fields are dropped", "a|0|1|1/1/2020|1/2/2020|x|y\r\n", "a|0|1|1/1/2020|1/2/2020"},
        {"empty name", "|0|1|1/1/2020|1/2/2020\r\n", "|0|1|1/1/2020|1/2/2020"},
        {"leading zeros", "a|0000001|1|1/1/2020|1/2/2020\r\n", "a|1|1|1/1/2020|1/2/2020"},
        {"a five-digit year has a date's shape", "a|0|5|3/1/2005 10:15:00 AM|12/31/10000\r\n",
         "a|0|5|3/1/2005 10:15:00 AM|12/31/10000"},
        {"longer than a read", "a|0|1|1/1/2020|1/2/2020|" + std::string(700000, 'z') + "\r\n",
         "a|0|1|1/1/2020|1/2/2020"},
    };
    for (const auto& c : cases) {
        pair(Stamp + "b|0|2|1/1/2020|1/2/2020\r\n" + c.line, Stamp + "/home/\r\n/home/a/\r\n");
        ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive)) << c.what;
        ASSERT_EQ(ctx.index.entryCount(), 2u) << c.what;
        EXPECT_EQ(row(0), "b|0|2|1/1/2020|1/2/2020") << c.what;
        EXPECT_EQ(row(1), c.row) << c.what;
        EXPECT_EQ(ctx.index.namedRows(), c.row[0] == '|' ? 1u : 2u) << c.what; // up to the first empty name
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loader, FoldersAreDecodedAndTheRootRemembered)
{
    pair(entryLines(1), Stamp + "/home/\r\n/home/a|b/\r\n/home/c%7Cd%25%0A/\n/home/e/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.LoadedIndexRoot, "/home/");
    std::vector<std::string> folders;
    for (size_t k = 0; k < ctx.index.folderCount(); ++k)
        folders.emplace_back(ctx.index.folder(k));
    EXPECT_EQ(folders, (std::vector<std::string>{"/home/", "/home/a|b/", "/home/c|d%\n/", "/home/e/"}));

    // The folder pair's names do not depend on the root, which is only remembered.
    pair(entryLines(1), Stamp + "/srv/data/\r\n", "temp");
    ASSERT_TRUE(LoadIndex(ctx, "/srv/data/", IndexMode::Folder));
    EXPECT_EQ(ctx.LoadedIndexRoot, "/srv/data/");
    EXPECT_FALSE(LoadIndex(ctx, "/srv/data/", IndexMode::Drive));
}

TEST_F(Loader, AMissingFileIsNoIndexAndASmallerLoadLeavesNothingOfTheLargerOne)
{
    pair(entryLines(10), Stamp + "/home/\r\n/home/sub/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    pair(entryLines(3), Stamp + "/home/\r\n");
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entryCount(), 3u);
    EXPECT_EQ(ctx.index.folderCount(), 1u);
    pair(Stamp, Stamp + "/home/\r\n"); // an entries file with its stamp only
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.index.entryCount() + ctx.index.namedRows(), 0u);
    tree.remove("homepaths.idx");
    EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    tree.remove("home.idx");
    EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    EXPECT_EQ(ctx.LoadedIndexRoot, "");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loader, BadPairsFailWithWhatAndWhere)
{
    const std::string home = tree.at("home.idx");
    auto lines = [](const std::string& text) { return Stamp + text; };
    struct Case {
        std::string entries, message; // the end of the description
        std::string folders = Stamp + "/home/\r\n";
    } cases[] = {
        {"", "has no build stamp Position: 3"},
        {lines("a|0|1|1/1/2020\r\n"), "line 2 of " + home + " has fewer than five fields Position: 4"},
        {entryLines(1) + "\r\n", "line 3 of " + home + " has fewer than five fields Position: 4"},
        {entryLines(30000) + "broken|0|1\r\n" + entryLines(1).substr(Stamp.size()),
         "line 30002 of " + home + " has fewer than five fields Position: 4"},
        {lines("a|0|1k|1/1/2020|1/2/2020\r\n"),
         "line 2 of " + home + " has a size that is not a number Position: 4"},
        {lines("a|0|18446744073709551616|1/1/2020|1/2/2020\r\n"),
         "has a size that is not a number Position: 4"},
        {lines("a|0|1|12/6/2|1/2/2020\r\n"), "has a date that is not a date Position: 4"},
        {lines("a|0|1|1/1/2020 10:15:00 XM|1/2/2020\r\n"), "has a date that is not a date Position: 4"},
        {lines("a%41|0|1|1/1/2020|1/2/2020\r\n"), "has an invalid escape in its name Position: 4"},
        {lines("a|0|" + std::string(70000, '1') + "|1/1/2020|1/2/2020\r\n"), "is too long Position: 4"},
        {lines("a|4294967296|1|1/1/2020|1/2/2020\r\n"),
         "has a folder number that is not a number Position: 4"},
        {lines("a|4294967295|1|1/1/2020|1/2/2020\r\n"),
         "names folder 4294967295, which the folders file does not have Position: 7"},
        {Stamp, "has an invalid escape Position: 6", lines("/home/\r\n/home/%zz/\r\n")},
        {entryLines(1), "names folder 0, which the folders file does not have Position: 7", Stamp},
        {entryLines(1), "come from different builds Position: 7", "1/1/2020\r\n/home/\r\n"},
    };
    for (const auto& c : cases) {
        pair(entryLines(5), Stamp + "/home/\r\n");
        ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
        reporter.reports.clear();
        pair(c.entries, c.folders);
        EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive)) << c.message;
        EXPECT_EQ(ctx.LoadedIndexRoot, "") << c.message;
        EXPECT_EQ(ctx.index.entryCount(), 0u) << c.message;
        ASSERT_EQ(reporter.reports.size(), 1u) << c.message;
        EXPECT_EQ(reporter.reports[0].location, 11054);
        EXPECT_TRUE(reporter.reports[0].description.ends_with(c.message)) << reporter.reports[0].description;
    }
    reporter.reports.clear();
    EXPECT_FALSE(LoadIndex(ctx, "relative/", IndexMode::Drive));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, 5);
    EXPECT_TRUE(reporter.reports[0].description.ends_with(" Position: 2"));
}

TEST_F(Loader, AFileCutShortIsRefusedWhereverItIsCut)
{
    for (const auto& [file, position] : {std::pair{"home.idx", 4}, {"homepaths.idx", 6}}) {
        pair(entryLines(2), Stamp + "/home/\r\n/home/a/\r\n");
        const std::string whole = readWholeFile(tree.at(file));
        for (size_t cut = 1; cut < whole.size(); ++cut) {
            if (whole[cut - 1] == '\n') // whole lines, only fewer
                continue;
            tree.file(file, whole.substr(0, cut));
            reporter.reports.clear();
            EXPECT_FALSE(LoadIndex(ctx, "/home/", IndexMode::Drive));
            ASSERT_EQ(reporter.reports.size(), 1u) << cut;
            EXPECT_EQ(reporter.reports[0].description, "Bad index file: " + tree.at(file) +
                                                           " is cut short: its last line has no line end "
                                                           "Position: " +
                                                           std::to_string(position));
        }
    }
}

TEST_F(Loader, LinesSplitAnyWayBetweenReadsLoadWhole)
{
    // Lines of every length past several read pieces and the first commit: line ends, escapes, CRs and
    // extra fields on every side of a boundary; names long enough that holding them twice breaks memory.
    std::vector<std::string> expected;
    std::string entries = Stamp;
    for (int i = 0; entries.size() < 5000000; ++i) {
        const std::string name =
            "n" + std::to_string(i) + (i % 17 ? "" : "\xFF\xC3\x84") + std::string(size_t(i % 297), 'x');
        const std::string tail = "|" + std::to_string(i % 3) + "|" + (i % 11 ? std::to_string(i) : "") + "|" +
                                 std::to_string(i % 12 + 1) + "/1/2003 " + std::to_string(i % 12 + 1) +
                                 ":00:01 AM|" + (i % 5 ? "1/2/2003 4:05:06 PM" : "1/2/2003");
        entries += name + (i % 13 ? "" : "%7C%25") + tail +
                   (i % 7 ? "" : "|dropped|" + std::string(i % 300, 'd')) + (i % 2 ? "\n" : "\r\n");
        expected.push_back(name + (i % 13 ? "" : "|%") + tail);
    }
    if (!entries.ends_with("\r\n")) // a bare line feed only before the last line end
        entries.insert(entries.size() - 1, "\r");
    pair(entries, Stamp + "/home/\r\n/home/a/\r\n/home/b/\r\n");
    int yields = 0;
    ctx.yield = [&] { ++yields; };
    ASSERT_TRUE(LoadIndex(ctx, "/home/", IndexMode::Drive));
    ASSERT_EQ(ctx.index.entryCount(), expected.size());
    EXPECT_EQ(yields, 1 + int(expected.size()) / 1000); // after clearing the tables, then every 1000 lines
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(row(i), expected[i]) << i;
    EXPECT_LE(ctx.index.memoryBytes(), entries.size() * 3 / 2 + 24 * ctx.index.entryCount());
}

TEST_F(Loader, AgeCountsClockHourBoundaries)
{
    // A stamp secondsBefore the hour `hours` clock hours back, and its age; one in the future is stale.
    for (const auto& [hours, secondsBefore, expectedAge] :
         {std::tuple{0, -1, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 2}, {3, 0, 3}, {24, 1, 25}, {-72, 0, 100}}) {
        for (;;) { // again when the hour turns meanwhile
            const std::time_t now = std::time(nullptr);
            std::tm t{};
            ::localtime_r(&now, &t);
            tree.file("home.idx", dateText(localTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                                                     t.tm_hour - hours, 0, -secondsBefore)) +
                                      "\r\n");
            const int age = IndexAgeHours(ctx, "/home/");
            const std::time_t after = std::time(nullptr);
            std::tm later{};
            if (::localtime_r(&after, &later)->tm_hour != t.tm_hour)
                continue;
            EXPECT_EQ(age, expectedAge) << hours << "h " << secondsBefore << "s";
            break;
        }
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loader, AgeWithoutAStamp)
{
    // Root, entries file (nullptr: none), age, number reported (0: nothing); the folder pair is no drive's.
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"/home/", nullptr, 100, 0},
        {"/home/", "", 100, 0},
        {"/home/", "yesterday\r\na|0|1|c|m\r\n", 100, 13},
        {"/temp/", nullptr, 100, 0},
        {"C:\\", nullptr, 9999, 5}};
    tree.file("temp.idx", Stamp);
    for (const auto& [root, file, age, reportedNumber] : cases) {
        reporter.reports.clear();
        tree.remove("home.idx");
        if (file)
            tree.file("home.idx", file);
        EXPECT_EQ(IndexAgeHours(ctx, root), age) << root;
        EXPECT_EQ(reporter.reports.empty() ? 0 : reporter.reports[0].number, reportedNumber) << root;
        EXPECT_TRUE(reporter.reports.empty() || reporter.reports[0].location == 11055);
    }
}

// The 64-byte block scan for '|', LF and '%' and the line-feed count, against plain code.
TEST(SeparatorScan, AgreesWithPlainCodeAtEveryLengthAndPosition)
{
    std::mt19937 random(5);
    const std::string alphabet = "ab|\n%\r{}\x0b\x7c\x7d\xff\x80"; // and bytes one bit away from the three
    for (int round = 0; round < 20000; ++round) {
        const size_t length = round < 300 ? size_t(round) : random() % 5000;
        std::string text(length, 'q');
        const int density = 1 + int(random() % 60);
        for (auto& c : text)
            c = random() % density ? 'x' : alphabet[random() % alphabet.size()];
        std::vector<size_t> expected, scanned;
        for (size_t i = 0; i < length; ++i) {
            if (text[i] == '|' || text[i] == '\n' || text[i] == '%')
                expected.push_back(i);
        }
        SeparatorScan scan(text.data(), text.data() + length);
        for (const char* p = scan.next(); p != text.data() + length; p = scan.next())
            scanned.push_back(size_t(p - text.data()));
        ASSERT_EQ(scanned, expected) << "round " << round;
        ASSERT_EQ(scan.next(), text.data() + length); // stays at the end
        ASSERT_EQ(countLineFeeds(text.data(), text.data() + length),
                  size_t(std::count(text.begin(), text.end(), '\n')));
    }
    const std::string lineFeeds(16 * 300 + 5, '\n'); // more than a byte counter holds
    EXPECT_EQ(countLineFeeds(lineFeeds.data(), lineFeeds.data() + lineFeeds.size()), lineFeeds.size());
}
