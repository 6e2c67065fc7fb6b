#include "index/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "index/IndexBuilder.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

// Where a build stands when the program ends from inside one of its yields:
// its half-written files go, and the pair it would have replaced is still
// there byte for byte.
TEST(LiveTemporaries, ABuildCutShortLeavesTheOldPair)
{
    SearchHarness h;
    TempTree tree;
    for (int i = 0; i < 450; ++i)
        tree.file("d" + std::to_string(i % 3) + "/f" + std::to_string(i));
    const std::string root = tree.path() + "/";
    writePair(h.indexes, root, {}, {{"old.txt", 0, "1"}}, "1/1/2020");
    const std::string oldEntries = readWholeFile(entriesFile(h.indexes, root));
    const std::string oldFolders = readWholeFile(foldersFile(h.indexes, root));
    auto temporaries = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(h.indexes))
            count += entry.path().filename().string().find(".tmp.") != std::string::npos;
        return count;
    };
    h.onYield = [&] {
        if (h.yields > 1)
            return;
        EXPECT_EQ(temporaries(), 2);
        EXPECT_EQ(removeLiveTemporaries(), 2);
        EXPECT_EQ(temporaries(), 0);
        EXPECT_EQ(readWholeFile(entriesFile(h.indexes, root)), oldEntries);
        EXPECT_EQ(readWholeFile(foldersFile(h.indexes, root)), oldFolders);
    };
    IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_GT(h.yields, 0);
    EXPECT_EQ(removeLiveTemporaries(), 0);
}
