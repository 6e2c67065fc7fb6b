// zephrix-cli telling failure from success, and never letting a name, a
// stuck file or a killed build get the better of the run.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "index/IndexFormat.h"

using namespace zephrix;
using namespace zephrix::clitest;
using zephrix::test::TempTree;
using Clock = std::chrono::steady_clock;

namespace {

struct CliFailureTest : ::testing::Test {
    TempTree work, tree;
    std::string root = tree.path() + "/";
    IndexFormat::PairPaths pair = *IndexFormat::pairPaths(work.at("indexes"), root, IndexMode::Drive);

    CliCommand command(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--indexes", work.at("indexes")});
        if (args[2] == "search")
            args.insert(args.end(), {"--no-settings", "--no-folders", "--no-limit"});
        return {args, {"LC_ALL=C"}, {}, {}};
    }
    CliRun run(const std::vector<std::string>& args) { return runCli(command(args), work.at("err")); }
    // Ends the process when it has not ended within `limit`: a run that
    // hangs fails the test instead of holding it.
    CliRun runWithin(const std::vector<std::string>& args, std::chrono::seconds limit)
    {
        CliProcess process = startCli(command(args), work.at("err"));
        for (const auto end = Clock::now() + limit; Clock::now() < end; ::usleep(10000)) {
            siginfo_t ended{};
            if (::waitid(P_PID, id_t(process.pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                ended.si_pid != 0)
                return finishCli(process);
        }
        ::kill(process.pid, SIGKILL);
        ADD_FAILURE() << args[0] << " did not end within " << limit.count() << " s";
        return finishCli(process);
    }
    std::vector<std::string> temporaries() const
    {
        std::vector<std::string> found;
        for (const auto& file : std::filesystem::directory_iterator(work.at("indexes")))
            if (file.path().string().find(".tmp.") != std::string::npos)
                found.push_back(file.path());
        return found;
    }
};

} // namespace

TEST_F(CliFailureTest, TheExitCodeSaysWhetherEverythingWasSearched)
{
    tree.file("a.txt", "a");
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::function<void()> before;
        int exitCode;
        std::string said;
        bool listed; // a.txt, as what could be searched was
    } cases[] = {
        {"all searched", {"search", "--drive", root, "--type", "txt"}, [] {}, 0, "", true},
        {"a drive that is not there",
         {"search", "--drive", root + "gone", "--type", "txt"},
         [] {},
         1,
         "cannot search " + root + "gone/: No such file or directory",
         false},
        {"a folder that is a file",
         {"search", "--folder", root + "a.txt", "--type", "txt"},
         [] {},
         1,
         "cannot search " + root + "a.txt: Not a directory",
         false},
        {"a damaged pair, rebuilt",
         {"search", "--drive", root, "--type", "txt"},
         [&] {
             test::writeWholeFile(pair.entries,
                                  test::readWholeFile(pair.entries) + "x|0|1|1/1/2020|2 PM\r\n");
         },
         1,
         "has a date that is not a date Position: 4",
         true},
        {"a from date that is no date",
         {"search", "--drive", root, "--from", "13/45/2020"},
         [] {},
         2,
         "--from takes a date such as 3/1/2005, or any, not '13/45/2020'",
         false},
        {"a to date that is no date",
         {"search", "--drive", root, "--to", "soon"},
         [] {},
         2,
         "--to takes a date",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(run({"index", root}).exitCode, 0);
        c.before();
        const CliRun result = run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
        EXPECT_EQ(result.out.rfind("a.txt\t" + root + "\t", 0) == 0, c.listed) << result.out;
    }
}

TEST_F(CliFailureTest, ControlBytesInNamesReachTheTerminalEscaped)
{
    tree.file("\x1b]0;owned\x07red\x7f\xc2\x9b.txt", "x");
    ASSERT_EQ(run({"index", root}).exitCode, 0);
    const CliRun rows = run({"search", "--drive", root, "--name", "red"});
    EXPECT_EQ(rows.out.substr(0, rows.out.find('\t')), "\\x1B]0;owned\\x07red\\x7F\\xC2\\x9B.txt");
    const CliRun message = run({"search", "--drive", root + "\x1b[2J", "--name", "red"});
    EXPECT_NE(message.err.find("cannot search " + root + "\\x1B[2J"), std::string::npos) << message.err;
    EXPECT_EQ(message.err.find('\x1b'), std::string::npos);
}

TEST_F(CliFailureTest, FoldersAreTheirExactPaths)
{
    for (const char* file : {"foo/a.txt", "foo/sub/s.txt", "Foo/u.txt", "o/t/foo/n.txt", "foobar/b.txt"})
        tree.file(file, "x");
    ASSERT_EQ(run({"index", root}).exitCode, 0);
    auto listed = [&](const std::string& option, const std::string& folder) {
        std::vector<std::string> paths;
        std::istringstream lines(
            run({"search", "--drive", root, option, root + folder, "--type", "txt"}).out);
        for (std::string line; std::getline(lines, line);) {
            const size_t tab = line.find('\t');
            paths.push_back(
                line.substr(tab + 1 + root.size(), line.find('\t', tab + 1) - tab - 1 - root.size()) +
                line.substr(0, tab));
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    EXPECT_EQ(listed("--folder", "foo"), std::vector<std::string>{"foo/a.txt"});
    EXPECT_EQ(listed("--exclude", "foo"),
              (std::vector<std::string>{"Foo/u.txt", "foobar/b.txt", "o/t/foo/n.txt"}));
}

TEST_F(CliFailureTest, NothingWaitsOnAFifoNorOnAStampFromTheFuture)
{
    tree.file("a.txt", "a");
    std::filesystem::create_directories(work.at("indexes"));
    ASSERT_EQ(::mkfifo(pair.entries.c_str(), 0644), 0);
    const CliRun age = runWithin({"age", root}, std::chrono::seconds(10));
    EXPECT_EQ(age.out, "100\n");
    EXPECT_NE(age.err.find("Not a regular file"), std::string::npos) << age.err;
    // The search says so, and rebuilds the pair in the FIFO's place.
    EXPECT_EQ(runWithin({"search", "--drive", root, "--type", "txt"}, std::chrono::seconds(10)).exitCode, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(pair.entries));

    for (const std::string& path : {pair.entries, pair.folders}) {
        const std::string text = test::readWholeFile(path);
        test::writeWholeFile(path, "1/1/2999 1:00:00 AM" + text.substr(text.find("\r\n")));
    }
    EXPECT_EQ(run({"age", root}).out, "100\n");
    ASSERT_EQ(run({"search", "--drive", root, "--type", "txt"}).exitCode, 0);
    EXPECT_EQ(test::readWholeFile(pair.entries).find("2999"), std::string::npos);
}

TEST_F(CliFailureTest, CtrlCStopsAScanInsideABigFileWithinAPiece)
{
    tree.sizedFile("big.txt", 16LL << 30); // sparse: no disk taken, sixteen gigabytes read
    ASSERT_EQ(run({"index", root}).exitCode, 0);
    CliProcess search = startCli(
        command({"search", "--drive", root, "--inside", "needle", "--inside-types", "txt"}), work.at("err"));
    ::usleep(300000);
    ::kill(search.pid, SIGINT);
    const auto interrupted = Clock::now();
    const CliRun result = finishCli(search);
    EXPECT_EQ(result.exitCode, 130) << result.err;
    EXPECT_LT(Clock::now() - interrupted, std::chrono::seconds(2));
}

TEST_F(CliFailureTest, TheNextBuildClearsWhatKilledBuildsLeft)
{
    for (int i = 0; i < 50000; ++i)
        ::close(::open(tree.at("f" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT, 0644));
    std::filesystem::create_directories(work.at("indexes"));
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, work.at("indexes").c_str(), IN_CREATE), 0);
    for (int kill = 0; kill < 3; ++kill) {
        CliProcess build = startCli(command({"index", root}), work.at("err"));
        // Killed once both its temporaries are there.
        const std::string own = ".tmp." + std::to_string(build.pid) + ".";
        auto ownCount = [&] {
            const auto found = temporaries();
            return std::count_if(found.begin(), found.end(),
                                 [&](auto& path) { return path.find(own) != path.npos; });
        };
        struct pollfd event {
            watch, POLLIN, 0
        };
        char events[4096];
        while (ownCount() < 2 && ::poll(&event, 1, 10000) == 1)
            ::read(watch, events, sizeof events);
        ::kill(build.pid, SIGKILL);
        finishCli(build);
        // Each build cleared the ones before: only the last one's are left.
        EXPECT_EQ(temporaries().size(), 2u) << kill;
    }
    ::close(watch);
    EXPECT_EQ(run({"index", root}).exitCode, 0);
    EXPECT_TRUE(temporaries().empty());
}
