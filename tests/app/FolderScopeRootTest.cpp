#include "app/FolderScopeRoot.h"

#include <gtest/gtest.h>

using zephrix::folderScopeRoot;

// A folder search reads the index of the drive that holds the folder: the
// drive whose root is the longest leading part of the folder's path, else
// the one the drive box shows.
TEST(FolderScopeRoot, TheMountThatHoldsTheFolderIsItsDrive)
{
    const std::vector<zephrix::Drive> drives = {{"/", "Hard Disk"},
                                                {"/home/", "Hard Disk"},
                                                {"/home/alice/USB/", "Removable Media"},
                                                {"not-a-root", ""}};
    const std::vector<std::array<std::string, 3>> cases = {
        // folder, drive box, expected
        {"/home/alice/Documents/", "/", "/home/"},
        {"/home/alice/USB/photos/", "/home/", "/home/alice/USB/"},
        {"/home/alice/USB", "/", "/home/alice/USB/"}, // without its last '/'
        {"/home/alice/USBX/", "/", "/home/"},         // a name that only begins like a root
        {"/homework/", "/home/", "/"},
        {"", "/home/", "/home/"}, // no folder shown
    };
    for (const auto& [folder, shown, expected] : cases)
        EXPECT_EQ(folderScopeRoot(folder, drives, shown), expected) << folder;
    EXPECT_EQ(folderScopeRoot("/srv/data/", {drives[1], drives[3]}, "/home/"), "/home/");
    EXPECT_EQ(folderScopeRoot("not-a-root/x/", {drives[3]}, "/"), "/");
}
