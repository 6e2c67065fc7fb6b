// Two zephrix-cli builds of one root with searches running beside them,
// round after round, the tree changing between rounds. Every folder holds
// files of the same names and every file has a size no other file has, so a
// row that names the wrong folder shows itself by its size.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "index/IndexFormat.h"
#include "index/TreeIndexCheck.h"

using namespace zephrix;
using namespace zephrix::clitest;
using namespace zephrix::indextest;

namespace {

constexpr int FilesPerFolder = 8;

// zephrix-cli with stdout and stderr in files, so that many can run at once
// without anyone reading their pipes.
pid_t spawnCli(const std::vector<std::string>& args, const std::string& outFile, const std::string& errFile)
{
    std::vector<std::string> words{ZEPHRIX_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    auto argv = pointersTo(words);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// A tree of folders at several depths, each holding f0 to f7, changed at
// random between rounds: folders added, renamed and removed, files
// rewritten, removed and added.
class ChangingTree {
  public:
    ChangingTree(const TempTree& tree, unsigned seed) : tree_(tree), random_(seed)
    {
        for (int i = 0; i < 40; ++i)
            addFolder();
    }

    void change()
    {
        for (int i = 0; i < 3; ++i)
            renameFolder(pick());
        removeFolder(pick());
        addFolder();
        addFolder();
        for (int i = 0; i < 6; ++i)
            writeFile(pick() + "/f" + std::to_string(random_() % (FilesPerFolder + 1)));
        std::filesystem::remove(tree_.at(pick() + "/f" + std::to_string(random_() % FilesPerFolder)));
    }

  private:
    std::string pick() { return folders_[random_() % folders_.size()]; }

    void writeFile(const std::string& relative) { tree_.file(relative, std::string(nextSize_++, 'x')); }

    void addFolder()
    {
        const std::string parent = folders_.empty() || random_() % 3 == 0 ? std::string() : pick() + "/";
        const std::string folder = parent + "d" + std::to_string(nextFolder_++);
        tree_.dir(folder);
        folders_.push_back(folder);
        for (int i = 0; i < FilesPerFolder; ++i)
            writeFile(folder + "/f" + std::to_string(i));
    }

    // Keeps the folder list in step with a folder that moved or went, and
    // everything below it.
    void replacePrefix(const std::string& from, const std::string* to)
    {
        std::vector<std::string> kept;
        for (const std::string& folder : folders_) {
            if (folder != from && !folder.starts_with(from + "/"))
                kept.push_back(folder);
            else if (to)
                kept.push_back(*to + folder.substr(from.size()));
        }
        folders_ = kept;
        if (folders_.empty())
            addFolder();
    }

    void renameFolder(const std::string& folder)
    {
        const size_t slash = folder.rfind('/');
        const std::string renamed = (slash == std::string::npos ? "" : folder.substr(0, slash + 1)) + "d" +
                                    std::to_string(nextFolder_++);
        std::filesystem::rename(tree_.at(folder), tree_.at(renamed));
        replacePrefix(folder, &renamed);
    }

    void removeFolder(const std::string& folder)
    {
        tree_.remove(folder);
        replacePrefix(folder, nullptr);
    }

    const TempTree& tree_;
    std::mt19937 random_;
    std::vector<std::string> folders_;
    size_t nextSize_ = 1;
    int nextFolder_ = 0;
};

using Sizes = std::map<std::string, std::string>; // full path -> size in bytes

Sizes sizesOf(const TreeContent& content)
{
    Sizes sizes;
    for (const auto& [path, file] : content.files)
        sizes[path] = file.size;
    return sizes;
}

struct RoundResult {
    int searches = 0;
    int wrongSearches = 0;
    int rows = 0;
    std::vector<std::string> problems;
};

// A row is right when the file is in its folder with the size it shows, or
// with the size it had before this round's changes (the pair read may be the
// one built before them).
void checkSearch(const std::string& out, const std::string& err, int exitCode, const Sizes& now,
                 const Sizes& before, RoundResult& result)
{
    ++result.searches;
    const size_t problemsBefore = result.problems.size();
    if (exitCode != 0 || err.find("error") != std::string::npos)
        result.problems.push_back("search exited with " + std::to_string(exitCode) + ": " + err);
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        ++result.rows;
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');)
            cells.push_back(cell);
        if (cells.size() != 6) {
            result.problems.push_back("not a row: " + line);
            continue;
        }
        std::string size = cells[3];
        std::erase(size, ',');
        const std::string path = cells[1] + cells[0];
        const auto nowFile = now.find(path);
        const auto beforeFile = before.find(path);
        const bool sizeNow = nowFile != now.end() && nowFile->second == size;
        const bool sizeBefore =
            nowFile != now.end() && beforeFile != before.end() && beforeFile->second == size;
        if (!sizeNow && !sizeBefore)
            result.problems.push_back(
                "wrong row: " + path + " with " + size + " bytes, which is " +
                (nowFile == now.end() ? "not in the tree" : nowFile->second + " bytes"));
    }
    result.wrongSearches += result.problems.size() > problemsBefore;
}

struct ConcurrentBuildStress : ::testing::Test {
    TempTree work;
    TempTree tree;
    std::string root = tree.path() + "/";
    std::string indexes = work.at("indexes");

    std::vector<std::string> indexArgs() const { return {"--indexes", indexes, "index", root}; }
    std::vector<std::string> searchArgs() const
    {
        return {"--indexes",     indexes,        "search",     "--drive", root,
                "--no-settings", "--no-folders", "--no-limit", "--name",  "f"};
    }

    // Two builds, and searches in three slots that start again as soon as
    // one ends, until both builds are over.
    RoundResult runRound(int round, const Sizes& now, const Sizes& before)
    {
        RoundResult result;
        const std::string tag = work.at("r" + std::to_string(round));
        std::vector<pid_t> builds;
        for (int b = 0; b < 2; ++b)
            builds.push_back(spawnCli(indexArgs(), tag + "-b" + std::to_string(b) + ".out",
                                      tag + "-b" + std::to_string(b) + ".err"));
        std::vector<pid_t> slots(3, -1);
        auto outOf = [&](size_t slot) { return tag + "-s" + std::to_string(slot); };
        for (;;) {
            for (pid_t& build : builds) {
                int status = 0;
                if (build > 0 && ::waitpid(build, &status, WNOHANG) == build) {
                    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                        result.problems.push_back("a build failed in round " + std::to_string(round));
                    build = -1;
                }
            }
            const bool building = builds[0] > 0 || builds[1] > 0;
            bool searching = false;
            for (size_t slot = 0; slot < slots.size(); ++slot) {
                int status = 0;
                if (slots[slot] > 0 && ::waitpid(slots[slot], &status, WNOHANG) == slots[slot]) {
                    checkSearch(test::readWholeFile(outOf(slot) + ".out"),
                                test::readWholeFile(outOf(slot) + ".err"),
                                WIFEXITED(status) ? WEXITSTATUS(status) : -1, now, before, result);
                    slots[slot] = -1;
                }
                if (slots[slot] < 0 && building)
                    slots[slot] = spawnCli(searchArgs(), outOf(slot) + ".out", outOf(slot) + ".err");
                searching |= slots[slot] > 0;
            }
            if (!building && !searching)
                return result;
            ::usleep(500);
        }
    }
};

} // namespace

TEST_F(ConcurrentBuildStress, EverySearchRowIsTheTreesOwn)
{
    const char* seconds = std::getenv("ZEPHRIX_STRESS_SECONDS");
    const auto duration = std::chrono::seconds(seconds ? std::atoi(seconds) : 5);
    const unsigned seed = unsigned(std::random_device{}());
    SCOPED_TRACE("seed " + std::to_string(seed));
    ChangingTree changing(tree, seed);
    CliCommand first;
    first.args = indexArgs();
    ASSERT_EQ(runCli(first, work.at("first.err")).exitCode, 0);

    Sizes before = sizesOf(treeContent(root));
    RoundResult total;
    int rounds = 0;
    const auto end = std::chrono::steady_clock::now() + duration;
    while (rounds < 3 || std::chrono::steady_clock::now() < end) {
        changing.change();
        const TreeContent content = treeContent(root);
        const Sizes now = sizesOf(content);
        const RoundResult round = runRound(rounds++, now, before);
        total.searches += round.searches;
        total.rows += round.rows;
        total.wrongSearches += round.wrongSearches;
        total.problems.insert(total.problems.end(), round.problems.begin(), round.problems.end());

        // Whatever ran, the pair left is this tree's, with nothing beside it.
        const auto pair = *IndexFormat::pairPaths(indexes, root, IndexMode::Drive);
        expectPairMatchesTree(readStoredPair(pair.entries, pair.folders), root, content);
        for (const auto& file : std::filesystem::directory_iterator(indexes))
            EXPECT_EQ(file.path().string().find(".tmp."), std::string::npos) << file.path();
        before = now;
    }
    std::string shown;
    for (size_t i = 0; i < total.problems.size() && i < 10; ++i)
        shown += "\n  " + total.problems[i];
    EXPECT_TRUE(total.problems.empty())
        << total.problems.size() << " problems in " << total.wrongSearches << " of " << total.searches
        << " searches, " << rounds << " rounds:" << shown;
    EXPECT_GT(total.rows, 0);
    std::printf("%d rounds, %d searches, %d rows\n", rounds, total.searches, total.rows);
}
