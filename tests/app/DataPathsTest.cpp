#include "app/DataPaths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TempTree.h"

using zephrix::dataFolderFor;
using zephrix::test::TempTree;

// `indexes`: beside a build tree's or a portable copy's executable, never where the program is installed,
// and in the user's data folder where the executable's folder cannot be written.
TEST(DataPaths, IndexesLiveBesideTheProgramOnlyOutsideTheInstalledBinaries)
{
    TempTree folders;
    for (const char* folder : {"build/src", "usr/bin", "readonly"})
        folders.dir(folder);
    folders.chmod("readonly", 0555);
    folders.symlink(folders.at("usr/bin"), "bin"); // a merged /usr: /bin is /usr/bin
    const std::string user = folders.at("data") + "/Zephrix";
    ::setenv("XDG_DATA_HOME", folders.at("data").c_str(), 1);
    ::unsetenv("ZEPHRIX_DATA_DIR");
    const bool root = ::geteuid() == 0; // root writes everywhere
    const std::vector<std::array<std::string, 3>> cases = {
        // executable's folder, installed binaries, expected
        {"build/src", "usr/bin", folders.at("build/src")},
        {"usr/bin", "usr/bin", user},
        {"bin", "usr/bin", user},
        {"usr/bin", "bin", user},
        {"readonly", "usr/bin", root ? folders.at("readonly") : user},
        {"build/src", "no/such/folder", folders.at("build/src")},
    };
    for (const auto& [executable, installed, expected] : cases)
        EXPECT_EQ(dataFolderFor(folders.at(executable), folders.at(installed)), expected) << executable;
}
