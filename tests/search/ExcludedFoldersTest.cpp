#include "index/ExcludedFolders.h"

#include <gtest/gtest.h>

using namespace zephrix;

TEST(ExcludedFolders, SplitsTheStoredValue)
{
    struct Case {
        const char* stored;
        std::vector<std::string> table;
    } cases[] = {
        {"", {""}},
        {"/tmp/", {"/tmp/"}},
        {"/tmp/|/home/a/", {"/tmp/", "/home/a/"}},
        {"/tmp/||/x/", {"/tmp/", "", "/x/"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitExcludedFolders(c.stored), c.table) << c.stored;
}

TEST(ExcludedFolders, ListsRowsInDescendingOrderWithoutEmptyTexts)
{
    EXPECT_EQ(ExcludedFolderRows({"/a/", "", "/c/", "/B/"}), (std::vector<std::string>{"/c/", "/B/", "/a/"}));
    EXPECT_TRUE(ExcludedFolderRows({""}).empty());
}

TEST(ExcludedFolders, AddsTheStoredFormOnce)
{
    struct Case {
        const char* what;
        const char* stored;
        const char* folder;
        std::optional<std::string> value;
    } cases[] = {
        {"first", "", "/tmp/Temp", "/tmp/Temp/"},
        {"appended in stored order", "/z/|/a/", "/m", "/z/|/a/|/m/"},
        {"already there", "/tmp/Temp/", "/tmp/Temp", std::nullopt},
        {"another case is another folder", "/tmp/Temp/", "/TMP/TEMP/", "/tmp/Temp/|/TMP/TEMP/"},
        {"root keeps one slash", "", "/", "/"},
        {"root twice", "/", "/", std::nullopt},
        {"extra slashes collapse", "", "/data//", "/data/"},
        {"empty texts of the table are dropped", "/a/||/b/", "/c/", "/a/|/b/|/c/"},
        {"nothing chosen", "/a/", "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddExcludedFolder(SplitExcludedFolders(c.stored), c.folder), c.value) << c.what;
}

TEST(ExcludedFolders, RemovesSelectedRowsKeepingListOrder)
{
    const std::vector<std::string> rows = ExcludedFolderRows(SplitExcludedFolders("/A/|/B/"));
    ASSERT_EQ(rows, (std::vector<std::string>{"/B/", "/A/"}));
    EXPECT_EQ(RemoveExcludedFolders(rows, {true, false}), "/A/");
    EXPECT_EQ(RemoveExcludedFolders(rows, {true, true}), "");
    EXPECT_EQ(RemoveExcludedFolders(rows, {false, false}), "/B/|/A/");
    EXPECT_EQ(RemoveExcludedFolders(rows, {}), "/B/|/A/");
    EXPECT_TRUE(ExcludedFolderRows(SplitExcludedFolders(RemoveExcludedFolders(rows, {true, true}))).empty());
}

TEST(ExcludedFolders, ExclusionIsAPrefixComparedExactly)
{
    const FolderExclusion exclusion(SplitExcludedFolders("/tmp/a/|/home/Ärger/"));
    struct Case {
        const char* folder;
        bool excluded;
    } cases[] = {
        {"/tmp/a/", true},         {"/tmp/a/b/", true},      {"/TMP/A/deep/er/", false},
        {"/tmp/a2/", false},       {"/tmp/", false},         {"/mnt/tmp/a/", false},
        {"/home/ärger/x/", false}, {"/home/Ärger/x/", true}, {"/home/Ärgernis/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exclusion.excludes(c.folder), c.excluded) << c.folder;

    EXPECT_TRUE(FolderExclusion({""}).empty());
    EXPECT_FALSE(FolderExclusion({""}).excludes("/anything/"));
    EXPECT_TRUE(FolderExclusion({"/"}).excludes("/"));
}
