// zephrix-cli's commands as a user runs them: exit codes, hostile names, stuck files, killed builds.
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "index/IndexFormat.h"
#include "support/IndexPair.h"

using namespace zephrix;
using namespace zephrix::clitest;
using namespace zephrix::test;
using Clock = std::chrono::steady_clock;

namespace {

struct CliFailureTest : CliTest {
    IndexFormat::PairPaths pair = *IndexFormat::pairPaths(indexes, root, IndexMode::Drive);

    // A search of what the request names alone: no settings, no folder rows, no limit.
    CliRun search(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"search", "--no-settings", "--no-folders", "--no-limit"});
        return run(args);
    }
    size_t temporaries(const std::string& mark = ".tmp.") const
    {
        size_t count = 0;
        for (const auto& file : std::filesystem::directory_iterator(indexes))
            count += file.path().filename().string().find(mark) != std::string::npos;
        return count;
    }
};

using CliIndex = CliTest;

} // namespace

TEST_F(CliFailureTest, TheExitCodeSaysWhetherEverythingWasDone)
{
    tree.file("a.txt", "a");
    ASSERT_EQ(run({"index", root}).exitCode, 0);
    const std::string listed = "a.txt\t" + root + "\t";
    const std::string bad = "zephrix-cli: search: ";
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string said;
        bool listed; // a.txt, as what could be searched was
    } cases[] = {
        {{"--drive", root, "--type", "txt"}, 0, "", true},
        {{"--drive", root + "gone", "--type", "txt"},
         1,
         "cannot search " + root + "gone/: No such file or directory"},
        {{"--folder", root + "a.txt", "--type", "txt"},
         1,
         "cannot search " + root + "a.txt: Not a directory"},
        {{"--drive", root, "--from", "13/45/2020"},
         2,
         "--from takes a date such as 3/1/2005, or any, not '13/45/2020'"},
        {{"--drive", root}, 2, "You have not specified anything for me to search for"},
        {{"--size", "tiny", "--name", "x"}, 2, bad},
        {{"--wat"}, 2, bad},
        {{"--folder", "/tmp", "--drive", "/", "--drive", "/tmp", "--name", "x"}, 2, bad},
    };
    for (const auto& c : cases) {
        const CliRun result = search(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << ": " << result.err;
        EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
        EXPECT_TRUE(c.listed ? result.out.starts_with(listed) : result.out.empty()) << result.out;
    }
    // A damaged pair is said and rebuilt: the rows are all there, and the exit code tells.
    writeWholeFile(pair.entries, readWholeFile(pair.entries) + "x|0|1|1/1/2020|2 PM\r\n");
    const CliRun damaged = search({"--drive", root, "--type", "txt"});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.err.find("has a date that is not a date Position: 4"), std::string::npos)
        << damaged.err;
    EXPECT_TRUE(damaged.out.starts_with(listed)) << damaged.out;
    // A FIFO in its place is not waited on (a hang fails at the runner's limit): said, and rebuilt.
    std::filesystem::remove(pair.entries);
    ASSERT_EQ(::mkfifo(pair.entries.c_str(), 0644), 0);
    const CliRun age = run({"age", root});
    EXPECT_EQ(age.out, "100\n");
    EXPECT_NE(age.err.find("Not a regular file"), std::string::npos) << age.err;
    EXPECT_EQ(search({"--drive", root, "--type", "txt"}).exitCode, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(pair.entries));

    const std::pair<std::vector<std::string>, std::string> others[] = {
        {{"index", root + "missing"},
         "No such file or directory: " + root + "missing/ - " + root + "missing/\n"},
        {{"index", root, "extra"}, "unexpected 'extra'"},
        {{"drives", "x"}, "drives takes no arguments"}};
    for (const auto& [args, said] : others) {
        const CliRun result = run(args);
        EXPECT_EQ(result.exitCode, said.ends_with("\n") ? 1 : 2) << said;
        EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(test::entriesFile(indexes, root + "missing/")));
}

TEST_F(CliFailureTest, ControlBytesInNamesReachTheTerminalEscaped)
{
    tree.file("\x1b]0;owned\x07red\x7f\xc2\x9b\tname\\with\rcontrols\nand.txt", "x");
    ASSERT_EQ(run({"index", root}).exitCode, 0);
    const CliRun rows = search({"--drive", root, "--name", "red"});
    EXPECT_EQ(rows.out.substr(0, rows.out.find('\t')),
              "\\x1B]0;owned\\x07red\\x7F\\xC2\\x9B\\tname\\\\with\\rcontrols\\nand.txt");
    const CliRun message = search({"--drive", root + "\x1b[2J", "--name", "red"});
    EXPECT_NE(message.err.find("cannot search " + root + "\\x1B[2J"), std::string::npos) << message.err;
    EXPECT_EQ(message.err.find('\x1b'), std::string::npos);
}

TEST_F(CliFailureTest, CtrlCIsCancelSearchEvenInsideABigFile)
{
    tree.sizedFile("big.txt", 16LL << 30); // sparse: no disk taken, sixteen gigabytes read
    test::TempTree second;
    second.file("other.txt", "needle");
    ASSERT_EQ(run({"index", root}).exitCode + run({"index", second.path()}).exitCode, 0);
    CliProcess process = startCli(command({"search", "--no-settings", "--drive", root, "--drive",
                                           second.path(), "--inside", "needle", "--inside-types", "txt"}));
    // Interrupted once the scan has read some pieces of the file.
    auto bytesRead = [&] {
        return std::stoll(readWholeFile("/proc/" + std::to_string(process->processId()) + "/io").substr(7));
    };
    for (const auto end = Clock::now() + std::chrono::seconds(30);
         bytesRead() < (8 << 20) && Clock::now() < end;)
        ::usleep(10000);
    ::kill(pid_t(process->processId()), SIGINT);
    const auto interrupted = Clock::now();
    const CliRun result = finishCli(process);
    EXPECT_LT(Clock::now() - interrupted, std::chrono::seconds(2));
    EXPECT_EQ(result.exitCode, 130) << result.err;
    EXPECT_TRUE(result.err.ends_with("Search Cancelled\n")) << result.err;
    EXPECT_EQ(result.out, ""); // the second drive is never searched
}

// Builds killed with their temporaries there leave them, and the next build clears them; Ctrl+C
// cancels the build instead, leaving no index at all, only the lock file.
TEST_F(CliFailureTest, KilledAndInterruptedBuildsLeaveNothingBehind)
{
    for (int i = 0; i < 30000; ++i) { // in many folders: still walking when the signal comes
        const std::string folder = "d" + std::to_string(i / 150);
        if (i % 150 == 0)
            tree.dir(folder);
        ::close(::open(tree.at(folder + "/f" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT, 0644));
    }
    std::filesystem::create_directories(indexes);
    test::writePair(indexes, root, {}, {});
    for (const int signal : {SIGKILL, SIGKILL, SIGKILL, SIGINT}) {
        CliProcess build = startCli(command({"index", root}));
        // Its temporaries are there once the build has begun, its handler in place.
        const std::string own = ".tmp." + std::to_string(build->processId()) + ".";
        for (const auto end = Clock::now() + std::chrono::seconds(20);
             temporaries(own) < 2 && Clock::now() < end;)
            ::usleep(1000);
        ::kill(pid_t(build->processId()), signal);
        const CliRun result = finishCli(build);
        if (signal == SIGKILL) {
            EXPECT_EQ(temporaries(), 2u); // the last one's: each build cleared the ones before
            continue;
        }
        EXPECT_EQ(result.exitCode, 130) << result.err;
        EXPECT_NE(result.err.find("cancelled"), std::string::npos) << result.err;
        EXPECT_EQ(std::vector<std::filesystem::path>(std::filesystem::directory_iterator(indexes), {}),
                  std::vector<std::filesystem::path>{pair.lock});
    }
    EXPECT_EQ(run({"index", root}).exitCode, 0);
    EXPECT_EQ(temporaries(), 0u);
}

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
