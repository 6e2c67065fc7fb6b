#include "index/ExcludedFolders.h"

#include <gtest/gtest.h>

using namespace zephrix;

// The stored value split at '|', and the test the matcher makes with it: a
// stored folder occurs in the path, without regard to case; empty texts of
// the table exclude nothing.
TEST(ExcludedFolders, AFolderIsExcludedWhenAStoredFolderOccursInItsPath)
{
    EXPECT_EQ(SplitExcludedFolders("/tmp/a/||/home/Ärger/"),
              (std::vector<std::string>{"/tmp/a/", "", "/home/Ärger/"}));
    EXPECT_EQ(SplitExcludedFolders(""), std::vector<std::string>{""});
    const FolderExclusion exclusion(SplitExcludedFolders("/tmp/a/||/home/Ärger/"));
    for (const char* excluded : {"/tmp/a/", "/tmp/a/b/", "/TMP/A/deep/er/", "/mnt/tmp/a/", "/home/ärger/x/"})
        EXPECT_TRUE(exclusion.excludes(excluded)) << excluded;
    for (const char* kept : {"/tmp/a2/", "/tmp/", "/home/Ärgernis/"})
        EXPECT_FALSE(exclusion.excludes(kept)) << kept;
    EXPECT_FALSE(FolderExclusion({""}).excludes("/anything/"));
}
