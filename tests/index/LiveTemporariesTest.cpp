#include "index/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/ReplacementFile.h"
#include "support/RecordingReporter.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

int temporariesIn(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().find(".tmp.") != std::string::npos;
    return count;
}

} // namespace

// A temporary counts as live from its creation until it is renamed into
// place or discarded; only live ones go when the program ends at once.
TEST(LiveTemporaries, OnlyFilesNotYetInPlaceAreRemoved)
{
    TempTree folder;
    ReplacementFile placed, dropped, writing;
    ASSERT_TRUE(placed.open(folder.at("a.idx")) && placed.close() && placed.commit());
    ASSERT_TRUE(dropped.open(folder.at("b.idx")));
    dropped.discard();
    ASSERT_TRUE(writing.open(folder.at("c.idx")));
    EXPECT_EQ(removeLiveTemporaries(), 1);
    EXPECT_EQ(temporariesIn(folder.path()), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.at("a.idx")));
    EXPECT_EQ(removeLiveTemporaries(), 0);
}

// Where a build stands when the program ends from inside one of its yields:
// its half-written files go, and the pair it would have replaced is still
// there byte for byte.
TEST(LiveTemporaries, ABuildCutShortLeavesTheOldPair)
{
    TempTree indexes, tree;
    for (int i = 0; i < 450; ++i)
        tree.file("d" + std::to_string(i % 3) + "/f" + std::to_string(i));
    const std::string root = tree.path() + "/";
    const auto pair = *IndexFormat::pairPaths(indexes.path(), root, IndexMode::Drive);
    const std::string oldEntries = "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n";
    const std::string oldFolders = "1/1/2020\r\n" + root + "\r\n";
    writeWholeFile(pair.entries, oldEntries);
    writeWholeFile(pair.folders, oldFolders);

    test::RecordingReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = indexes.path();
    ctx.errors = &reporter;
    int ended = 0;
    ctx.yield = [&] {
        if (ended++ > 0)
            return;
        EXPECT_EQ(temporariesIn(indexes.path()), 2);
        EXPECT_EQ(removeLiveTemporaries(), 2);
        EXPECT_EQ(temporariesIn(indexes.path()), 0);
        EXPECT_EQ(readWholeFile(pair.entries), oldEntries);
        EXPECT_EQ(readWholeFile(pair.folders), oldFolders);
    };
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_GT(ended, 0);
}
