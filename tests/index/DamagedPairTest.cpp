// A pair a build wrote whole, then damaged: cut short at every byte, sizes
// and dates that are none. Each is refused at its position, never loaded as
// if whole.
#include <gtest/gtest.h>

#include "index/IndexBuilder.h"
#include "index/IndexLoader.h"
#include "index/PairFixture.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

struct DamagedPairTest : PairFixture {
    // Loads the pair; the description of the one report, or "loaded".
    std::string load()
    {
        h.errors.reports.clear();
        const bool loaded = LoadIndex(h.ctx, root, IndexMode::Drive);
        if (loaded || h.errors.reports.size() != 1)
            return loaded && h.errors.reports.empty() ? "loaded" : "unexpected reports";
        return h.errors.reports[0].description;
    }
};

} // namespace

TEST_F(DamagedPairTest, AFileCutShortIsRefusedWhereverItIsCut)
{
    tree.file("one.txt", "1");
    tree.file("sub/two.txt", "22");
    ASSERT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet).outcome, BuildOutcome::Built);
    for (const auto& [path, position] : {std::pair{pair.entries, 4}, {pair.folders, 6}}) {
        const std::string whole = readWholeFile(path);
        for (size_t cut = 1; cut < whole.size(); ++cut) {
            // Cut after a line end, a file holds whole lines, only fewer.
            if (cut >= 2 && whole.compare(cut - 2, 2, "\r\n") == 0)
                continue;
            writeWholeFile(path, whole.substr(0, cut));
            EXPECT_EQ(load(), "Bad index file: " + path +
                                  " is cut short: its last line has no line end Position: " +
                                  std::to_string(position))
                << cut;
        }
        writeWholeFile(path, whole);
    }
    EXPECT_EQ(load(), "loaded");
}

TEST_F(DamagedPairTest, SizesAndDatesThatAreNoneAreRefusedAtTheirLine)
{
    struct Case {
        std::string fields; // size|created|modified of line 3
        const char* problem;
    } cases[] = {
        {"1x|1/1/2020|1/1/2020", "has a size that is not a number"},
        {"-1|1/1/2020|1/1/2020", "has a size that is not a number"},
        {"18446744073709551616|1/1/2020|1/1/2020", "has a size that is not a number"},
        {"5|12/6/2|1/1/2020", "has a date that is not a date"},
        {"5|1/1/2020|1/1/2020 1:00:00", "has a date that is not a date"},
        {"5|1/1/2020|Deleted", "has a date that is not a date"},
        {"5|1/1/2020 13:00:00 PM|", "has a date that is not a date"},
        {"5|3/1/2005 10:15:00 AM|12/31/10000", nullptr},
        {"|c|m", nullptr}, // no size: all three are read from the disk
    };
    for (const auto& c : cases) {
        writeWholeFile(pair.entries, "1/1/2020\r\nfine|0|1|1/1/2020|1/1/2020\r\nbad|0|" + c.fields + "\r\n");
        writeWholeFile(pair.folders, "1/1/2020\r\n" + root + "\r\n");
        EXPECT_EQ(load(), c.problem
                              ? "Bad index file: line 3 of " + pair.entries + " " + c.problem + " Position: 4"
                              : "loaded")
            << c.fields;
    }
}
