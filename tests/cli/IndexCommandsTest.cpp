// zephrix-cli drives, index and age, run as a user would run them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "cli/CliProcess.h"
#include "index/IndexFormat.h"
#include "index/TreeIndexCheck.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::clitest;
using namespace zephrix::indextest;
using zephrix::test::TempTree;

namespace {

struct CliFixture : ::testing::Test {
    TempTree work; // stderr and indexes
    TempTree tree; // what gets indexed
    std::string indexes = work.at("indexes");
    std::string root = tree.path() + "/";

    CliCommand command(const std::vector<std::string>& args)
    {
        std::vector<std::string> all{"--indexes", indexes};
        all.insert(all.end(), args.begin(), args.end());
        return {all};
    }
    CliRun run(const std::vector<std::string>& args) { return runCli(command(args), work.at("err")); }
    std::string pairFile(const std::string& suffix) const
    {
        return indexes + "/" + *IndexFormat::stemOf(root) + suffix;
    }
};

} // namespace

TEST_F(CliFixture, IndexWritesThePairOfTheTree)
{
    buildAwkwardTree(tree);
    // A relative ROOT without its '/' is made absolute and given one.
    const std::filesystem::path path(tree.path());
    CliCommand relative = command({"index", path.filename().string()});
    relative.cwd = path.parent_path().string();
    const CliRun result = runCli(relative, work.at("err"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, ""); // no progress when stderr is not a terminal
    expectPairMatchesTree(readStoredPair(pairFile(".idx"), pairFile("paths.idx")), root, treeContent(root));
}

TEST_F(CliFixture, FolderWritesTheFolderPair)
{
    tree.file("a.txt");
    const CliRun result = run({"index", root, "--folder"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(std::filesystem::exists(pairFile(".idx")));
    const StoredPair pair = readStoredPair(indexes + "/temp.idx", indexes + "/temppaths.idx");
    EXPECT_EQ(pair.folders, std::vector<std::string>{root});
    ASSERT_EQ(pair.entries.size(), 1u);
    EXPECT_EQ(pair.entries[0].name, "a.txt");
}

TEST_F(CliFixture, ClosedFoldersAreSkippedForAnUnprivilegedUser)
{
    // nobody must reach the tree and the indexes folder.
    ::chmod(tree.path().c_str(), 0755);
    ::chmod(work.path().c_str(), 0755);
    std::filesystem::create_directories(indexes);
    ::chmod(indexes.c_str(), 0777);
    tree.file("open/a.txt");
    tree.file("closed/b.txt");
    tree.file("closed/deeper/c.txt");
    tree.file("listable-only/hidden-details.txt");
    tree.file("z.txt");
    tree.chmod("closed", 0700);        // root's own: nobody cannot list it
    tree.chmod("listable-only", 0744); // nobody may list it but not look at its files
    CliCommand asNobody = command({"index", root});
    asNobody.prefix = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    const CliRun result = runCli(asNobody, work.at("err"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Said, in the walk's order, and the build still succeeds.
    const std::string head = "zephrix-cli: 2 folders could not be read; the index lacks what they hold:\n";
    EXPECT_TRUE(result.err == head + "  " + root + "closed/\n  " + root + "listable-only/\n" ||
                result.err == head + "  " + root + "listable-only/\n  " + root + "closed/\n")
        << result.err;
    expectPairMatchesTree(readStoredPair(pairFile(".idx"), pairFile("paths.idx")), root,
                          treeContent(root, {root + "closed/", root + "listable-only/"}));
}

TEST_F(CliFixture, AFailedBuildSaysWhyAndExitsWithOne)
{
    const CliRun result = run({"index", tree.at("missing")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(" - " + tree.at("missing/")), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(indexes + "/" + *IndexFormat::stemOf(tree.at("missing/")) + ".idx"));
}

TEST_F(CliFixture, AgeFollowsTheStamp)
{
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::vector<std::string> accepted;
    } cases[] = {
        {"no index", [] {}, {"100\n"}},
        {"fresh index",
         [&] {
             run({"index", root});
         },
         {"0\n", "1\n"}},
        {"empty entries file", [&] { zephrix::test::writeWholeFile(pairFile(".idx"), ""); }, {"100\n"}},
    };
    for (const auto& c : cases) {
        c.prepare();
        const CliRun result = run({"age", root});
        EXPECT_EQ(result.exitCode, 0) << c.what << result.err;
        EXPECT_NE(std::find(c.accepted.begin(), c.accepted.end(), result.out), c.accepted.end())
            << c.what << ": " << result.out;
    }
}

TEST_F(CliFixture, DrivesListsRootAndType)
{
    const CliRun result = run({"drives"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::istringstream lines(result.out);
    std::string line;
    bool sawRoot = false;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(line[tab - 1], '/') << line;
        const std::string type = line.substr(tab + 1);
        EXPECT_TRUE(type == "Hard Disk" || type == "Removable Media" || type == "Network Drive" ||
                    type == "CD/DVD Drive")
            << line;
        sawRoot |= line.substr(0, tab) == "/";
    }
    EXPECT_TRUE(sawRoot) << result.out;
}

TEST_F(CliFixture, BadRequestsExitWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"index"}, {"age"}, {"index", root, "extra"}, {"index", root, "--bogus"}, {"drives", "x"}}) {
        const CliRun result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args[0];
        EXPECT_FALSE(result.err.empty());
    }
}

TEST_F(CliFixture, ProgressShowsOnATerminal)
{
    for (int folder = 0; folder < 3; ++folder) {
        for (int i = 0; i < 150; ++i)
            tree.file("d" + std::to_string(folder) + "/f" + std::to_string(i));
    }
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::execl(ZEPHRIX_CLI_PATH, ZEPHRIX_CLI_PATH, "--indexes", indexes.c_str(), "index", root.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    std::string shown;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0)
            break;
        shown.append(buffer, size_t(got));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(shown.find("Indexing: " + root), std::string::npos) << shown;
    EXPECT_NE(shown.find("Files Found: "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Directories Found: "), std::string::npos) << shown;
}

TEST_F(CliFixture, InterruptCancelsAndLeavesNoIndex)
{
    // Enough files that the walk is still running when the signal comes.
    for (int folder = 0; folder < 200; ++folder) {
        tree.dir("d" + std::to_string(folder));
        for (int i = 0; i < 150; ++i)
            ::close(::open(tree.at("d" + std::to_string(folder) + "/f" + std::to_string(i)).c_str(),
                           O_WRONLY | O_CREAT, 0644));
    }
    std::filesystem::create_directories(indexes);
    zephrix::test::writeWholeFile(pairFile(".idx"), "1/1/2020\r\n");
    zephrix::test::writeWholeFile(pairFile("paths.idx"), "1/1/2020\r\n" + root + "\r\n");

    // The temporaries appear once the build has begun, after the handler is in place.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, indexes.c_str(), IN_CREATE), 0);
    CliProcess build = startCli(command({"index", root}), work.at("err"));
    ASSERT_GT(build.pid, 0);
    struct pollfd ready {
        watch, POLLIN, 0
    };
    ASSERT_EQ(::poll(&ready, 1, 10000), 1);
    ::kill(build.pid, SIGINT);
    ::close(watch);
    const CliRun result = finishCli(build);

    if (result.exitCode == 0)
        GTEST_SKIP() << "the build ended before the interrupt arrived";
    EXPECT_EQ(result.exitCode, 130) << result.err;
    EXPECT_NE(result.err.find("cancelled"), std::string::npos) << result.err;
    // The old pair and the temporaries must be gone; the lock file stays.
    EXPECT_EQ(std::vector<std::filesystem::path>(std::filesystem::directory_iterator(indexes), {}),
              std::vector<std::filesystem::path>{pairFile(".lock")});
}
