// Two zephrix-cli builds of one root with searches running beside them,
// round after round, the tree changing between rounds. Every folder holds
// files of the same names and every file has a size no other file has, so a
// row that names the wrong folder shows itself by its size.
#include <sys/wait.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "support/IndexPair.h"

using namespace zephrix;
using namespace zephrix::clitest;
using namespace zephrix::test;

namespace {

// The tree as it is now: its folders (the root first, each ending in '/')
// and the size of each file, by full path.
using Files = std::map<std::string, std::string>;
struct TreeContent {
    std::set<std::string> folders;
    Files files;
};

TreeContent treeContent(const std::string& root)
{
    TreeContent content;
    content.folders.insert(root);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_directory())
            content.folders.insert(entry.path().string() + "/");
        else
            content.files[entry.path().string()] = std::to_string(entry.file_size());
    }
    return content;
}

// zephrix-cli with stdout and stderr in files, so many can run at once.
pid_t spawnCli(const std::vector<std::string>& words, const std::string& output)
{
    CliProcess process = startCli({words, {}, {}, {}, output + ".out"}, output + ".err");
    ::close(process.out);
    return process.pid;
}

struct ConcurrentBuildStress : CliTest {
    std::mt19937 random{std::random_device{}()};
    size_t nextSize = 1;
    int nextFolder = 0;
    std::vector<std::string> problems;
    int searches = 0;

    // A folder as the tree holds it now, relative to the root ("" for the
    // root itself, else ending in '/').
    std::string pick(bool rootToo)
    {
        const std::set<std::string> folders = treeContent(root).folders;
        const size_t skip = rootToo ? 0 : 1; // the root sorts first
        return std::next(folders.begin(), long(skip + random() % (folders.size() - skip)))
            ->substr(root.size());
    }
    void writeFile(const std::string& relative) { tree.file(relative, std::string(nextSize++, 'x')); }
    void addFolder()
    {
        const std::string folder = pick(true) + "d" + std::to_string(nextFolder++) + "/";
        for (int i = 0; i < 8; ++i)
            writeFile(folder + "f" + std::to_string(i));
    }
    void changeTree()
    {
        for (int i = 0; i < 3; ++i) {
            const std::string from = pick(false);
            const std::string parent = from.substr(0, from.rfind('/', from.size() - 2) + 1);
            std::filesystem::rename(tree.at(from), tree.at(parent + "d" + std::to_string(nextFolder++)));
        }
        tree.remove(pick(false));
        addFolder();
        addFolder();
        for (int i = 0; i < 6; ++i)
            writeFile(pick(true) + "f" + std::to_string(random() % 9));
    }

    // A row is right when its file is in its folder with the size shown, or
    // with the size it had before this round (the pair read may be older).
    void checkSearch(const std::string& output, int status, const Files& now, const Files& before)
    {
        ++searches;
        const std::string err = readWholeFile(output + ".err");
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || err.find("error") != std::string::npos)
            problems.push_back("search failed: " + err);
        std::istringstream lines(readWholeFile(output + ".out"));
        for (std::string name, path, type, size, rest; std::getline(lines, name, '\t');) {
            std::getline(lines, path, '\t');
            std::getline(lines, type, '\t');
            std::getline(lines, size, '\t');
            std::getline(lines, rest);
            std::erase(size, ',');
            const auto file = now.find(path + name);
            const auto old = before.find(path + name);
            if (file == now.end() || (file->second != size && (old == before.end() || old->second != size)))
                problems.push_back(path + name + " listed with " + size + " bytes, not " +
                                   (file == now.end() ? "in the tree" : file->second));
        }
    }

    // Two builds, and searches in three slots, each started again as soon as
    // it ends, until both builds are over.
    void runRound(const Files& now, const Files& before)
    {
        const std::vector<std::string> index{"--indexes", indexes, "index", root};
        std::vector<std::string> search{"--indexes",     indexes,        "search",     "--drive", root,
                                        "--no-settings", "--no-folders", "--no-limit", "--name",  "f"};
        std::vector<pid_t> builds{spawnCli(index, work.at("b0")), spawnCli(index, work.at("b1"))};
        std::vector<pid_t> slots(3, -1);
        for (bool running = true; running; ::usleep(500)) {
            running = false;
            for (pid_t& build : builds) {
                int status = 0;
                if (build > 0 && ::waitpid(build, &status, WNOHANG) == build) {
                    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                        problems.push_back("a build failed");
                    build = -1;
                }
                running |= build > 0;
            }
            const bool building = running;
            for (size_t slot = 0; slot < slots.size(); ++slot) {
                const std::string output = work.at("s" + std::to_string(slot));
                int status = 0;
                if (slots[slot] > 0 && ::waitpid(slots[slot], &status, WNOHANG) == slots[slot]) {
                    checkSearch(output, status, now, before);
                    slots[slot] = -1;
                }
                if (slots[slot] < 0 && building)
                    slots[slot] = spawnCli(search, output);
                running |= slots[slot] > 0;
            }
        }
    }
};

} // namespace

TEST_F(ConcurrentBuildStress, EverySearchRowIsTheTreesOwn)
{
    const char* seconds = std::getenv("ZEPHRIX_STRESS_SECONDS");
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::seconds(seconds ? std::atoi(seconds) : 5);
    for (int i = 0; i < 40; ++i)
        addFolder();
    ASSERT_EQ(run({"index", root}).exitCode, 0);

    Files before = treeContent(root).files;
    int rounds = 0;
    for (; rounds < 3 || std::chrono::steady_clock::now() < end; ++rounds) {
        changeTree();
        const TreeContent content = treeContent(root);
        const std::time_t from = std::time(nullptr);
        runRound(content.files, before);
        // Whatever ran, the pair left is this tree's, with nothing beside it.
        expectPairMatchesTree(indexes, root, from, std::time(nullptr));
        for (const auto& file : std::filesystem::directory_iterator(indexes))
            EXPECT_EQ(file.path().string().find(".tmp."), std::string::npos) << file.path();
        before = content.files;
    }
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems in " << rounds << " rounds of " << searches
                                  << " searches, the first: " << (problems.empty() ? "" : problems[0]);
    std::printf("%d rounds, %d searches\n", rounds, searches);
}
