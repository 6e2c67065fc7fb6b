// zephrix-cli drives, index and age, run as a user would run them.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "cli/CliProcess.h"
#include "support/IndexPair.h"

using namespace zephrix::clitest;
using namespace zephrix::test;

using CliIndex = CliTest;

TEST_F(CliIndex, IndexWritesThePairOfTheTree)
{
    buildAwkwardTree(tree);
    tree.dir("mounted");
    const bool mounted = ::mount("zephrix-test", tree.at("mounted").c_str(), "tmpfs", 0, "size=1m") == 0;
    if (mounted)
        tree.file("mounted/not-this-drive.txt"); // another drive: listed, not entered
    // A relative ROOT without its '/' is made absolute and given one.
    CliCommand relative = command({"index", std::filesystem::path(tree.path()).filename().string()});
    relative.cwd = std::filesystem::path(tree.path()).parent_path().string();
    const std::time_t before = std::time(nullptr);
    const CliRun result = runCli(relative);
    const std::time_t after = std::time(nullptr);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, ""); // no progress when stderr is not a terminal
    expectPairMatchesTree(indexes, root, before, after);
    if (mounted)
        ::umount2(tree.at("mounted").c_str(), MNT_DETACH);

    const CliRun age = run({"age", root});
    EXPECT_TRUE(age.out == "0\n" || age.out == "1\n") << age.out;
    EXPECT_EQ(run({"age", tree.at("elsewhere")}).out, "100\n");
    // With --folder, the folder pair of any folder.
    EXPECT_EQ(run({"index", tree.at("a"), "--folder"}).exitCode, 0);
    const StoredPair folderPair = readStoredPair(indexes, tree.at("a/"), true);
    EXPECT_EQ(folderPair.folders[0] + " " + std::to_string(folderPair.folders.size()), tree.at("a/") + " 4");
    const CliRun drives = run({"drives"});
    EXPECT_NE(("\n" + drives.out).find("\n/\tHard Disk\n"), std::string::npos) << drives.out;
}

TEST_F(CliIndex, ClosedFoldersAreSkippedForAnUnprivilegedUser)
{
    for (const std::string& folder : {tree.path(), work.path()}) // nobody must reach both
        ::chmod(folder.c_str(), 0755);
    std::filesystem::create_directories(indexes);
    ::chmod(indexes.c_str(), 0777);
    for (const char* file :
         {"open/a.txt", "closed/b.txt", "closed/deeper/c.txt", "listable-only/details.txt", "z.txt"})
        tree.file(file);
    tree.chmod("closed", 0700);        // root's own: nobody cannot list it
    tree.chmod("listable-only", 0744); // nobody may list it but not look at its files
    CliCommand asNobody = command({"index", root});
    asNobody.prefix = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    const std::time_t before = std::time(nullptr);
    const CliRun result = runCli(asNobody);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Said, in the walk's order, and the build still succeeds.
    const std::string head = "zephrix-cli: 2 folders could not be read; the index lacks what they hold:\n";
    EXPECT_TRUE(result.err == head + "  " + root + "closed/\n  " + root + "listable-only/\n" ||
                result.err == head + "  " + root + "listable-only/\n  " + root + "closed/\n")
        << result.err;
    expectPairMatchesTree(indexes, root, before, std::time(nullptr),
                          {root + "closed/", root + "listable-only/"});
}
