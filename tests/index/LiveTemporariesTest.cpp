#include "index/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/RecordingReporter.h"
#include "index/ReplacementFile.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool isTemporary(const std::string& name)
{
    return name.find(".tmp.") != std::string::npos;
}

} // namespace

// A temporary is live from its creation until it is renamed into place or
// discarded; only live ones are removed when the program ends at once.
TEST(LiveTemporaries, OnlyFilesNotYetInPlaceAreRemoved)
{
    TempTree folder;
    const std::string target = folder.at("entries.idx");
    struct Case {
        const char* how;
        void (*finish)(ReplacementFile&);
        int removed;
        std::vector<std::string> left;
    };
    const std::vector<Case> cases = {
        {"still writing", [](ReplacementFile&) {}, 1, {}},
        {"renamed into place",
         [](ReplacementFile& file) { ASSERT_TRUE(file.close() && file.commit()); },
         0,
         {"entries.idx"}},
        {"discarded", [](ReplacementFile& file) { file.discard(); }, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        folder.remove("entries.idx");
        ReplacementFile file;
        ASSERT_TRUE(file.open(target));
        ASSERT_TRUE(file.append("stamp\r\n"));
        c.finish(file);
        EXPECT_EQ(removeLiveTemporaries(), c.removed);
        EXPECT_EQ(namesIn(folder.path()), c.left);
        EXPECT_EQ(removeLiveTemporaries(), 0);
    }
}

// Where a build stands when the program ends from inside one of its yields:
// its half-written files go, and the pair it would have replaced is still
// there byte for byte.
TEST(LiveTemporaries, ABuildCutShortLeavesTheOldPair)
{
    TempTree indexes;
    TempTree tree;
    for (int i = 0; i < 450; ++i)
        tree.file("d" + std::to_string(i % 3) + "/f" + std::to_string(i));
    const std::string root = tree.path() + "/";
    const auto paths = *IndexFormat::pairPaths(indexes.path(), root, IndexMode::Drive);
    const std::string oldEntries = "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n";
    const std::string oldFolders = "1/1/2020\r\n" + root + "\r\n";
    writeWholeFile(paths.entries, oldEntries);
    writeWholeFile(paths.folders, oldFolders);

    indextest::RecordingReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = indexes.path();
    ctx.errors = &reporter;
    std::vector<std::string> whileBuilding, afterEnd;
    ctx.yield = [&] {
        if (!whileBuilding.empty())
            return;
        whileBuilding = namesIn(indexes.path());
        EXPECT_EQ(removeLiveTemporaries(), 2);
        afterEnd = namesIn(indexes.path());
        EXPECT_EQ(readWholeFile(paths.entries), oldEntries);
        EXPECT_EQ(readWholeFile(paths.folders), oldFolders);
    };
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);

    EXPECT_EQ(std::count_if(whileBuilding.begin(), whileBuilding.end(), isTemporary), 2);
    EXPECT_EQ(std::count_if(afterEnd.begin(), afterEnd.end(), isTemporary), 0);
}
