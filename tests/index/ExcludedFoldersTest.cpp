#include "index/ExcludedFolders.h"

#include <gtest/gtest.h>

using namespace zephrix;

// The stored value split at '|' (empty texts exclude nothing); a folder is excluded when its path begins
// with a stored folder, byte for byte. The command line's test runs it over a real tree.
TEST(ExcludedFolders, AFolderIsExcludedWhenItsPathBeginsWithAStoredFolder)
{
    const FolderExclusion exclusion(SplitExcludedFolders("/tmp/a/||/home/Ärger/"));
    for (const auto& [folder, excluded] : {std::pair{"/tmp/a/b/", true},
                                           {"/home/Ärger/x/", true},
                                           {"/tmp/a2/", false},
                                           {"/home/ärger/x/", false},
                                           {"/mnt/tmp/a/", false}})
        EXPECT_EQ(exclusion.excludes(folder), excluded) << folder;
    EXPECT_FALSE(FolderExclusion(SplitExcludedFolders("")).excludes("/anything/"));
    // Adding compares the stored form exactly.
    EXPECT_EQ(AddExcludedFolder({"/tmp/Temp/"}, "/TMP/TEMP"), "/tmp/Temp/|/TMP/TEMP/");
    EXPECT_EQ(AddExcludedFolder({"/tmp/Temp/"}, "/tmp/Temp"), std::nullopt);
}
