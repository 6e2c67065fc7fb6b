// zephrix-cli search on real trees against find's same tests; name and type are checked against the
// window's rows, so here the other options and the folder scope's exact path.
#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"

using namespace zephrix::clitest;
using Lines = std::vector<std::string>;

namespace {

Lines split(const std::string& text, char at, bool sort = false)
{
    Lines parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, at);)
        parts.push_back(part);
    if (sort)
        std::sort(parts.begin(), parts.end());
    return parts;
}

// What a shell command prints, line by line in order.
Lines shell(const std::string& command)
{
    std::string text;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    for (char buffer[4096]; size_t got = std::fread(buffer, 1, sizeof buffer, pipe);)
        text.append(buffer, got);
    ::pclose(pipe);
    return split(text, '\n', true);
}

class SearchCommand : public CliTest {
  protected:
    void SetUp() override
    {
        for (const auto& [name, content] : {std::pair{"report.txt", "the annual invoice"},
                                            {"notes.TXT", "INVOICE 42"},
                                            {"server.log", "invoice"},
                                            {".hidden.txt", "invoice"},
                                            {"docs/inner.txt", "nothing"},
                                            {"docs/docs-report.txt", "x"},
                                            {"docs/deep/deep.txt", "invoice"},
                                            {"skip/skipped.txt", "invoice"},
                                            {"skip/sub/s.txt", "x"},
                                            {"Skip/kept.txt", "x"},
                                            {".hid/in-hidden.txt", "x"}})
            tree.file(name, content);
        for (const auto& [name, size] : {std::pair{"exact.bin", 1048576},
                                         {"huge.bin", 3000000},
                                         {"small.bin", 102400},
                                         {"mid.bin", 102401}})
            tree.sizedFile(name, size);
        tree.dir("Docs2");
        for (int i = 0; i < 1001; ++i) // more than a search lists without --no-limit
            tree.file("many/" + std::to_string(i) + ".dat");
        ASSERT_EQ(run({"index", tree.path()}).exitCode, 0);
    }
    // The full paths of the listed rows, sorted (no name of the tree needs escaping).
    static Lines paths(const CliRun& result)
    {
        Lines out;
        for (const auto& line : split(result.out, '\n')) {
            const Lines cells = split(line + "\t", '\t');
            out.push_back(cells.at(1) + cells.at(0));
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

} // namespace

TEST_F(SearchCommand, ListsWhatFindFinds)
{
    const std::string r = tree.path();
    // Hidden files are never listed; files in hidden folders are not hidden.
    const std::string find = "find " + r + " -type f ! -name '.*'";
    const std::pair<Lines, std::string> cases[] = {
        {{"--size", "large"}, find + " -size +1048575c"},
        {{"--size", "small", "--type", "bin"}, find + " -iname '*.bin' ! -size +102400c"},
        {{"--inside", "invoice", "--inside-types", "txt log"},
         find + " \\( -iname '*.txt' -o -iname '*.log' \\) -exec grep -qiF invoice {} \\; -print"},
        {{"--exclude", r + "/skip", "--type", "txt"}, find + " ! -path '" + r + "/skip/*' -iname '*.txt'"},
        {{"--folder", r + "/skip", "--type", "txt"},
         "find " + r + "/skip -maxdepth 1 -type f -iname '*.txt'"},
        {{"--type", "dat"}, find + " -iname '*.dat'"}};
    for (const auto& [args, command] : cases) {
        Lines request = {"search", "--drive", r, "--no-settings", "--no-folders", "--no-limit"};
        request.insert(request.end(), args.begin(), args.end());
        const CliRun result = run(request);
        EXPECT_EQ(result.exitCode, 0) << command << "\n" << result.err;
        EXPECT_FALSE(shell(command).empty()) << command;
        EXPECT_EQ(paths(result), shell(command)) << command;
    }
    const CliRun limited = run({"search", "--drive", r, "--no-settings", "--type", "dat"});
    EXPECT_EQ(split(limited.out, '\n').size(), 1000u);
    EXPECT_NE(limited.err.find("Your search has returned over 1000 results"), std::string::npos);
}

TEST_F(SearchCommand, RowsAndLabels)
{
    auto search = [&](const std::string& name) {
        return run({"search", "--drive", tree.path(), "--no-settings", "--folders", "--name", name});
    };
    const CliRun docs = search("docs");
    // Folders first, with four empty cells, then the files; labels on stderr.
    const Lines rows = split(docs.out, '\n');
    ASSERT_EQ(rows.size(), 3u) << docs.out;
    EXPECT_EQ(split(rows[0] + "\n" + rows[1], '\n', true),
              (Lines{"Docs2\t" + root + "\t\t\t\t", "docs\t" + root + "\t\t\t\t"}));
    EXPECT_TRUE(rows[2].starts_with("docs-report.txt\t" + root + "docs/\ttxt\t1\t")) << rows[2];
    const Lines labels = split(docs.err, '\n');
    EXPECT_EQ(Lines(labels.end() - 3, labels.end() - 1), (Lines{"Files Searched: 1016", "Files Found: 1"}));
    EXPECT_TRUE(std::regex_match(labels.back(), std::regex("Results Returned In: [0-9]+\\.[0-9] Seconds")));

    EXPECT_EQ(split(search("huge").out, '\t').at(3), "3,000,000"); // grouped by thousands
}

TEST_F(SearchCommand, TakesWhatIsNotGivenFromTheSettings)
{
    work.file("config/Zephrix/Zephrix.conf",
              "[Settings]\nExcludedFolders=" + root + "skip/\nShowFolders=0\nSearchInside=log\n");
    const Lines request = {"search", "--drive", tree.path(), "--inside", "invoice"};
    EXPECT_EQ(paths(run(request)), Lines{root + "server.log"});
    Lines defaults = request, given = request;
    defaults.push_back("--no-settings");
    EXPECT_EQ(paths(run(defaults)), (Lines{root + "docs/deep/deep.txt", root + "notes.TXT",
                                           root + "report.txt", root + "skip/skipped.txt"}));
    given.insert(given.end(), {"--inside-types", "txt", "--exclude", root + "docs"}); // given options win
    EXPECT_EQ(paths(run(given)), (Lines{root + "notes.TXT", root + "report.txt", root + "skip/skipped.txt"}));
}
