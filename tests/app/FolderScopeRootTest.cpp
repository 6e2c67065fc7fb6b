#include "app/FolderScopeRoot.h"

#include <gtest/gtest.h>

using zephrix::folderScopeRoot;

// Beside the window's folder search: the nested mount, and a name that only begins like a root.
TEST(FolderScopeRoot, TheMountThatHoldsTheFolderIsItsDrive)
{
    const std::vector<zephrix::Drive> drives = {
        {"/", "Hard Disk"}, {"/home/", "Hard Disk"}, {"/home/alice/USB/", "Removable Media"}};
    const std::vector<std::array<std::string, 3>> cases = {
        // folder, drive box, expected
        {"/home/alice/Documents/", "/", "/home/"},
        {"/home/alice/USB/photos/", "/home/", "/home/alice/USB/"},
        {"/home/alice/USB", "/", "/home/alice/USB/"}, // without its last '/'
        {"/home/alice/USBX/", "/", "/home/"},         // a name that only begins like a root
    };
    for (const auto& [folder, shown, expected] : cases)
        EXPECT_EQ(folderScopeRoot(folder, drives, shown), expected) << folder;
}
