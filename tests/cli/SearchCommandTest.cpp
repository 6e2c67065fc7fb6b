// zephrix-cli search on real trees, checked against find with the same tests.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include <gtest/gtest.h>

#include "support/TempTree.h"

extern char** environ;

using zephrix::test::readWholeFile;
using zephrix::test::TempTree;

namespace {

using Lines = std::vector<std::string>;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> environmentWith(const std::vector<std::string>& extra)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const bool overridden = std::any_of(extra.begin(), extra.end(), [&](const std::string& x) {
            return entry.compare(0, x.find('=') + 1, x, 0, x.find('=') + 1) == 0;
        });
        if (!overridden)
            env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& words)
{
    std::vector<char*> out;
    for (auto& w : words)
        out.push_back(w.data());
    out.push_back(nullptr);
    return out;
}

// Runs zephrix-cli with stdout on a pipe (stdoutFd receives the read end when
// asked for) and stderr in a file.
pid_t spawnCli(std::vector<std::string> args, const std::string& errFile, int& stdoutRead,
               const std::vector<std::string>& extraEnv)
{
    args.insert(args.begin(), ZEPHRIX_CLI_PATH);
    std::vector<std::string> env = environmentWith(extraEnv);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = -1;
    auto argv = pointers(args);
    auto envp = pointers(env);
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    stdoutRead = pipeFds[0];
    return spawned == 0 ? child : -1;
}

std::string readAll(int fd)
{
    std::string out;
    char buf[65536];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) != 0;) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        out.append(buf, size_t(n));
    }
    ::close(fd);
    return out;
}

int waitExit(pid_t child)
{
    int status = 0;
    if (child <= 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

Lines splitLines(const std::string& text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string unescape(const std::string& cell)
{
    std::string out;
    for (size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == '\\' && i + 1 < cell.size()) {
            const char next = cell[++i];
            out.push_back(next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next);
        } else {
            out.push_back(cell[i]);
        }
    }
    return out;
}

Lines cellsOf(const std::string& line)
{
    Lines cells;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

Lines sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

Lines run(const std::string& command)
{
    Lines out;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buf[4096];
    std::string text;
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
        text.append(buf, n);
    ::pclose(pipe);
    return splitLines(text);
}

class SearchCommand : public ::testing::Test {
  protected:
    void SetUp() override
    {
        root = tree.path() + "/";
        indexes = work.at("indexes");
        config = work.at("config");
        tree.file("report.txt", "the annual invoice");
        tree.file("Report.DOC", "x");
        tree.file("reportage.md", "x");
        tree.file("notes.TXT", "INVOICE 42");
        tree.file("a.b.txt", "x");
        tree.file("README", "x");
        tree.file("server.log", "invoice");
        tree.file(".hidden.txt", "invoice");
        tree.sizedFile("exact.bin", 1048576);
        tree.sizedFile("huge.bin", 3000000);
        tree.sizedFile("small.bin", 102400);
        tree.sizedFile("mid.bin", 102401);
        tree.file("docs/inner.txt", "nothing");
        tree.file("docs/docs-report.txt", "x");
        tree.file("docs/deep/deep.txt", "invoice");
        tree.file("skip/skipped.txt", "invoice");
        tree.file(".hid/in-hidden.txt", "x");
        tree.dir("Docs2");
        const CliRun indexed = cli({"index", tree.path()});
        ASSERT_EQ(indexed.exitCode, 0) << indexed.err;
    }

    CliRun cli(std::vector<std::string> args, const std::vector<std::string>& env = {})
    {
        args.insert(args.begin(), {"--indexes", indexes});
        std::vector<std::string> fullEnv = {"XDG_CONFIG_HOME=" + config, "LC_ALL=C"};
        fullEnv.insert(fullEnv.end(), env.begin(), env.end());
        int out = -1;
        const pid_t child = spawnCli(args, work.at("err"), out, fullEnv);
        CliRun result;
        result.out = readAll(out);
        result.exitCode = waitExit(child);
        result.err = readWholeFile(work.at("err"));
        return result;
    }

    // The full paths of the listed rows, in output order.
    static Lines paths(const CliRun& result)
    {
        Lines out;
        for (const auto& line : splitLines(result.out)) {
            const Lines cells = cellsOf(line);
            if (cells.size() == 6)
                out.push_back(unescape(cells[1]) + unescape(cells[0]));
        }
        return out;
    }

    TempTree work;
    TempTree tree;
    std::string root;
    std::string indexes;
    std::string config;
};

} // namespace

TEST_F(SearchCommand, ListsWhatFindFinds)
{
    const std::string r = tree.path();
    // Hidden files are never listed; files in hidden folders are not hidden.
    const std::string files = " -type f ! -name '.*'";
    struct Case {
        std::vector<std::string> args;
        std::string find;
    } cases[] = {
        {{"--type", "txt"}, "find " + r + files + " -iname '*.txt'"},
        {{"--name", "report", "--match", "starts"}, "find " + r + files + " -iname 'report*'"},
        {{"--name", "REPORT"}, "find " + r + files + " -iname '*report*'"},
        {{"--name", "Report", "--case"}, "find " + r + files + " -name '*Report*'"},
        {{"--name", "readme", "--match", "exactly"},
         "find " + r + files + " -iregex '.*/readme\\(\\.[^./]*\\)?'"},
        {{"--name", "port", "--match", "ends"}, "find " + r + files + " -iregex '.*port\\(\\.[^./]*\\)?'"},
        {{"--size", "large"}, "find " + r + files + " -size +1048575c"},
        {{"--size", "small", "--type", "bin"}, "find " + r + files + " -iname '*.bin' ! -size +102400c"},
        {{"--inside", "invoice", "--inside-types", "txt log"},
         "find " + r + files +
             " \\( -iname '*.txt' -o -iname '*.log' \\) -exec grep -qiF invoice {} \\; -print"},
        {{"--inside", "invoice", "--case", "--inside-types", "txt log"},
         "find " + r + files +
             " \\( -iname '*.txt' -o -iname '*.log' \\) -exec grep -qF invoice {} \\; -print"},
        {{"--folder", r + "/docs", "--drive", r, "--type", "txt"},
         "find " + r + "/docs -maxdepth 1" + files + " -iname '*.txt'"},
        {{"--exclude", r + "/skip", "--type", "txt"},
         "find " + r + " -path " + r + "/skip -prune -o" + files + " -iname '*.txt' -print"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"search",        "--drive",      r,
                                         "--no-settings", "--no-folders", "--no-limit"};
        if (c.args.front() == "--folder")
            args = {"search", "--no-settings", "--no-folders", "--no-limit"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun result = cli(args);
        EXPECT_EQ(result.exitCode, 0) << c.find << "\n" << result.err;
        const Lines expected = sorted(run(c.find));
        EXPECT_FALSE(expected.empty()) << c.find;
        EXPECT_EQ(sorted(paths(result)), expected) << c.find;
    }
}

TEST_F(SearchCommand, RowsCellsAndLabels)
{
    const CliRun result =
        cli({"search", "--drive", tree.path(), "--no-settings", "--folders", "--name", "docs", "--no-limit"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Lines lines = splitLines(result.out);
    // Folders first, with four empty cells, then the files.
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(sorted({lines[0], lines[1]}),
              sorted({"docs\t" + root + "\t\t\t\t", "Docs2\t" + root + "\t\t\t\t"}));
    const Lines file = cellsOf(lines[2]);
    ASSERT_EQ(file.size(), 6u);
    EXPECT_EQ(file[0], "docs-report.txt");
    EXPECT_EQ(file[1], root + "docs/");
    EXPECT_EQ(file[2], "txt");
    EXPECT_EQ(file[3], "1");
    EXPECT_FALSE(file[4].empty());
    EXPECT_FALSE(file[5].empty());

    const Lines err = splitLines(result.err);
    ASSERT_GE(err.size(), 3u);
    EXPECT_EQ(err[err.size() - 3], "Files Searched: 17");
    EXPECT_EQ(err[err.size() - 2], "Files Found: 1");
    EXPECT_TRUE(err.back().rfind("Results Returned In: ", 0) == 0 && err.back().ends_with(" Seconds"))
        << err.back();

    const CliRun huge = cli({"search", "--drive", tree.path(), "--no-settings", "--name", "huge"});
    EXPECT_EQ(cellsOf(splitLines(huge.out).at(0)).at(3), "3,000,000");
}

TEST_F(SearchCommand, EscapesControlCharactersAndBackslashes)
{
    tree.file("odd\tname\\with\rcontrols\nand.txt", "x");
    ASSERT_EQ(cli({"index", tree.path()}).exitCode, 0);
    const CliRun result = cli({"search", "--drive", tree.path(), "--no-settings", "--name", "odd"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Lines lines = splitLines(result.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(cellsOf(lines[0]).at(0), "odd\\tname\\\\with\\rcontrols\\nand.txt");
}

TEST_F(SearchCommand, TakesWhatIsNotGivenFromTheSettings)
{
    work.file("config/Zephrix/Zephrix.conf",
              "[Settings]\nExcludedFolders=" + root + "skip/\nShowFolders=0\nSearchInside=log\n");
    const std::vector<std::string> request = {"search", "--drive", tree.path(), "--inside", "invoice"};

    CliRun withSettings = cli(request);
    ASSERT_EQ(withSettings.exitCode, 0) << withSettings.err;
    EXPECT_EQ(paths(withSettings), Lines{root + "server.log"});

    std::vector<std::string> defaults = request;
    defaults.push_back("--no-settings");
    CliRun withDefaults = cli(defaults);
    EXPECT_EQ(sorted(paths(withDefaults)), sorted({root + "report.txt", root + "notes.TXT",
                                                   root + "docs/deep/deep.txt", root + "skip/skipped.txt"}));

    // A given option wins over the stored one.
    std::vector<std::string> given = request;
    given.insert(given.end(), {"--inside-types", "txt", "--exclude", root + "docs"});
    EXPECT_EQ(sorted(paths(cli(given))),
              sorted({root + "report.txt", root + "notes.TXT", root + "skip/skipped.txt"}));
}

TEST_F(SearchCommand, RejectedRequestsAndBadArguments)
{
    const CliRun empty = cli({"search", "--drive", tree.path(), "--no-settings"});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(
        empty.err.find("You have not specified anything for me to search for, please specify at least 1 "
                       "criteria for the file you are trying to find.\n"),
        std::string::npos);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"search", "--size", "tiny", "--name", "x"},
             {"search", "--match", "like", "--name", "x"},
             {"search", "--name"},
             {"search", "--wat"},
             {"search", "--folder", "/tmp", "--drive", "/", "--drive", "/tmp", "--name", "x"}}) {
        const CliRun result = cli(bad);
        EXPECT_EQ(result.exitCode, 2) << bad.back();
        EXPECT_NE(result.err.find("zephrix-cli: search:"), std::string::npos) << result.err;
    }
}

TEST_F(SearchCommand, ResultsLimitMessage)
{
    for (int i = 0; i < 1002; ++i)
        tree.file("many/m" + std::to_string(i) + ".dat", "");
    ASSERT_EQ(cli({"index", tree.path()}).exitCode, 0);
    const CliRun limited = cli({"search", "--drive", tree.path(), "--no-settings", "--type", "dat"});
    EXPECT_EQ(limited.exitCode, 0);
    EXPECT_EQ(splitLines(limited.out).size(), 1000u);
    EXPECT_NE(limited.err.find("Your search has returned over 1000 results"), std::string::npos);
    EXPECT_NE(limited.err.find("Files Found: 1000\n"), std::string::npos);

    const CliRun all =
        cli({"search", "--drive", tree.path(), "--no-settings", "--type", "dat", "--no-limit"});
    EXPECT_EQ(splitLines(all.out).size(), 1002u);
}

TEST_F(SearchCommand, CtrlCIsCancelSearch)
{
    // Enough rows to fill the pipe, which this test leaves unread until the
    // interrupt is sent: the search is then held in the middle of its rows.
    TempTree second;
    for (int i = 0; i < 4000; ++i)
        tree.file("rows/a-rather-long-file-name-to-fill-the-pipe-quickly-" + std::to_string(i) + ".txt", "");
    second.file("other.txt", "");
    ASSERT_EQ(cli({"index", tree.path()}).exitCode, 0);
    ASSERT_EQ(cli({"index", second.path()}).exitCode, 0);

    int out = -1;
    const pid_t child = spawnCli({"--indexes", indexes, "search", "--drive", tree.path(), "--drive",
                                  second.path(), "--no-settings", "--type", "txt", "--no-limit"},
                                 work.at("err"), out, {"XDG_CONFIG_HOME=" + config, "LC_ALL=C"});
    ASSERT_GT(child, 0);
    for (int pending = 0; pending < 60000;) {
        ::usleep(1000);
        ASSERT_EQ(::ioctl(out, FIONREAD, &pending), 0);
    }
    ::kill(child, SIGINT);
    const std::string rows = readAll(out);
    EXPECT_EQ(waitExit(child), 130);
    const Lines err = splitLines(readWholeFile(work.at("err")));
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), "Search Cancelled");
    EXPECT_EQ(rows.find("other.txt"), std::string::npos); // the second drive is never searched
    EXPECT_LT(splitLines(rows).size(), 4000u + 6u);
}
