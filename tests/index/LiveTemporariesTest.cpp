#include "index/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

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
    auto files = [&] {
        std::set<std::string> texts; // each index file's name and text, the lock aside
        for (const auto& entry : std::filesystem::directory_iterator(h.indexes))
            if (entry.path().extension() != ".lock")
                texts.insert(entry.path().filename().string() + ":" + readWholeFile(entry.path()));
        return texts;
    };
    const std::set<std::string> old = files();
    h.onYield = [&] {
        if (h.yields > 1)
            return;
        EXPECT_EQ(files().size(), old.size() + 2); // the new pair's temporaries
        EXPECT_EQ(removeLiveTemporaries(), 2);
        EXPECT_EQ(files(), old);
    };
    IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_GT(h.yields, 0);
    EXPECT_EQ(removeLiveTemporaries(), 0);
}
