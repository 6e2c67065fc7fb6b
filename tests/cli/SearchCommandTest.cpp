// zephrix-cli search on real trees, checked against find with the same tests.
#include <signal.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "support/TempTree.h"

using namespace zephrix::clitest;
using zephrix::test::TempTree;

namespace {

using Lines = std::vector<std::string>;

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

// The lines a shell command prints.
Lines run(const std::string& command)
{
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {};
    const std::string text = readToEnd(::dup(::fileno(pipe)));
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

    CliCommand command(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--indexes", indexes});
        return {args, {"XDG_CONFIG_HOME=" + config, "LC_ALL=C"}};
    }
    CliRun cli(const std::vector<std::string>& args) { return runCli(command(args), work.at("err")); }

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

    CliProcess search = startCli(command({"search", "--drive", tree.path(), "--drive", second.path(),
                                          "--no-settings", "--type", "txt", "--no-limit"}),
                                 work.at("err"));
    ASSERT_GT(search.pid, 0);
    for (int pending = 0; pending < 60000;) {
        ::usleep(1000);
        ASSERT_EQ(::ioctl(search.out, FIONREAD, &pending), 0);
    }
    ::kill(search.pid, SIGINT);
    const CliRun result = finishCli(search);
    EXPECT_EQ(result.exitCode, 130);
    const Lines err = splitLines(result.err);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), "Search Cancelled");
    EXPECT_EQ(result.out.find("other.txt"), std::string::npos); // the second drive is never searched
    EXPECT_LT(splitLines(result.out).size(), 4000u + 6u);
}
