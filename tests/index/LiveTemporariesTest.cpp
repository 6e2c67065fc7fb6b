#include "index/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "support/RecordingReporter.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

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
    auto temporaries = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(indexes.path()))
            count += entry.path().filename().string().find(".tmp.") != std::string::npos;
        return count;
    };

    RecordingReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = indexes.path();
    ctx.errors = &reporter;
    int ended = 0;
    ctx.yield = [&] {
        if (ended++ > 0)
            return;
        EXPECT_EQ(temporaries(), 2);
        EXPECT_EQ(removeLiveTemporaries(), 2);
        EXPECT_EQ(temporaries(), 0);
        EXPECT_EQ(readWholeFile(pair.entries), oldEntries);
        EXPECT_EQ(readWholeFile(pair.folders), oldFolders);
    };
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_GT(ended, 0);
    EXPECT_EQ(removeLiveTemporaries(), 0);
}
