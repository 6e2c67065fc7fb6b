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
    // Adding compares the stored form exactly (the window's test adds and removes folders).
    EXPECT_EQ(AddExcludedFolder({"/tmp/Temp/"}, "/TMP/TEMP"), "/tmp/Temp/|/TMP/TEMP/");
    EXPECT_EQ(AddExcludedFolder({"/tmp/Temp/"}, "/tmp/Temp"), std::nullopt);
}
