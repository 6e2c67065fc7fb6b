#include "app/FolderScopeRoot.h"

#include <gtest/gtest.h>

using zephrix::Drive;
using zephrix::folderScopeRoot;

// A folder search reads the index of the drive that holds the folder: the
// drive whose root is the longest leading part of the folder's path.
TEST(FolderScopeRoot, TheMountThatHoldsTheFolderIsItsDrive)
{
    const std::vector<Drive> drives = {{"/", "Hard Disk"},
                                       {"/home/", "Hard Disk"},
                                       {"/home/alice/USB/", "Removable Media"},
                                       {"/mnt/a b/", "Network Drive"}};
    struct Case {
        std::string folder;
        std::string shown; // the drive box
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"/home/alice/Documents/", "/", "/home/"},
        {"/home/alice/USB/photos/", "/home/", "/home/alice/USB/"},
        {"/home/alice/USB/", "/", "/home/alice/USB/"},
        {"/home/alice/USB", "/", "/home/alice/USB/"}, // without its last '/'
        {"/home/alice/USBX/", "/", "/home/"},         // a name that only begins like a root
        {"/homework/", "/home/", "/"},
        {"/mnt/a b/c/", "/", "/mnt/a b/"},
        {"/etc/", "/home/", "/"},
        {"", "/home/", "/home/"}, // no folder shown: the drive box
    };
    for (const Case& c : cases)
        EXPECT_EQ(folderScopeRoot(c.folder, drives, c.shown), c.expected) << c.folder;
}

TEST(FolderScopeRoot, WithoutAHoldingDriveTheDriveBoxDecides)
{
    const std::vector<Drive> drives = {{"/home/", "Hard Disk"}, {"not-a-root", "Hard Disk"}};
    EXPECT_EQ(folderScopeRoot("/srv/data/", drives, "/home/"), "/home/");
    EXPECT_EQ(folderScopeRoot("not-a-root/x/", drives, "/home/"), "/home/");
    EXPECT_EQ(folderScopeRoot("/srv/data/", {}, "/"), "/");
}
