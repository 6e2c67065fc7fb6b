#include "index/ExcludedFolders.h"

#include <gtest/gtest.h>

using namespace zephrix;

// The stored value split at '|', and the test the matcher makes with it: a
// folder is excluded when its path begins with a stored folder, byte for
// byte (names that differ by case are different folders); empty texts of the
// table exclude nothing.
TEST(ExcludedFolders, AFolderIsExcludedWhenItsPathBeginsWithAStoredFolder)
{
    EXPECT_EQ(SplitExcludedFolders("/tmp/a/||/home/Ärger/"),
              (std::vector<std::string>{"/tmp/a/", "", "/home/Ärger/"}));
    EXPECT_EQ(SplitExcludedFolders(""), std::vector<std::string>{""});
    const FolderExclusion exclusion(SplitExcludedFolders("/tmp/a/||/home/Ärger/"));
    for (const char* excluded : {"/tmp/a/", "/tmp/a/b/", "/home/Ärger/x/"})
        EXPECT_TRUE(exclusion.excludes(excluded)) << excluded;
    for (const char* kept :
         {"/tmp/a2/", "/tmp/", "/TMP/A/deep/", "/mnt/tmp/a/", "/home/ärger/x/", "/home/Ärgernis/"})
        EXPECT_FALSE(exclusion.excludes(kept)) << kept;
    EXPECT_FALSE(FolderExclusion({""}).excludes("/anything/"));
}

// Adding compares the stored form exactly: another case is another folder.
TEST(ExcludedFolders, AddingStoresEachFolderOnce)
{
    const auto add = [](const char* stored, const char* folder) {
        return AddExcludedFolder(SplitExcludedFolders(stored), folder);
    };
    EXPECT_EQ(add("", "/tmp/Temp"), "/tmp/Temp/");
    EXPECT_EQ(add("/z/|/a/", "/m"), "/z/|/a/|/m/");
    EXPECT_EQ(add("/tmp/Temp/", "/tmp/Temp"), std::nullopt);
    EXPECT_EQ(add("/tmp/Temp/", "/TMP/TEMP/"), "/tmp/Temp/|/TMP/TEMP/");
    EXPECT_EQ(add("", "/"), "/");
    EXPECT_EQ(add("/", "/"), std::nullopt);
}
