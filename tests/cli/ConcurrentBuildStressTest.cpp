// Two zephrix-cli builds of one root with searches beside them, round after round, the tree changing
// between rounds. Every folder holds the same names and every file a size of its own, so a row naming
// the wrong folder shows itself by its size.
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

// File details by full path, the size first.
using Files = std::map<std::string, std::string>;

struct ConcurrentBuildStress : CliTest {
    std::mt19937 random{std::random_device{}()};
    size_t nextSize = 1;
    int nextFolder = 0;
    std::vector<std::string> problems;
    int searches = 0;

    // A folder as the tree holds it now, relative to the root ("" for the root, else ending in '/').
    std::string pick(bool rootToo)
    {
        const std::set<std::string> folders = treeOnDisk(root).folders;
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

    // Right when its file is in its folder with the size shown, or this round's earlier one (older pair).
    void checkSearch(const CliRun& result, const Files& now, const Files& before)
    {
        ++searches;
        if (result.exitCode != 0 || result.err.find("error") != std::string::npos)
            problems.push_back("search failed: " + result.err);
        std::istringstream lines(result.out);
        for (std::string name, path, type, size, rest;
             std::getline(lines, name, '\t') && std::getline(lines, path, '\t') &&
             std::getline(lines, type, '\t') && std::getline(lines, size, '\t') &&
             std::getline(lines, rest);) {
            std::erase(size, ',');
            const auto file = now.find(path + name), old = before.find(path + name);
            auto sized = [&](Files::const_iterator f) { return f->second.starts_with(size + "|"); };
            if (file == now.end() || (!sized(file) && (old == before.end() || !sized(old))))
                problems.push_back(path + name + " listed with " + size + " bytes");
        }
    }

    // Two builds, and searches two at a time beside them until both builds are over.
    void runRound(const Files& now, const Files& before)
    {
        CliProcess builds[] = {startCli(command({"index", root})), startCli(command({"index", root}))};
        auto running = [](const QProcess& build) {
            siginfo_t ended{};
            return ::waitid(P_PID, id_t(build.processId()), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                   ended.si_pid == 0;
        };
        const CliCommand search = command(
            {"search", "--drive", root, "--no-settings", "--no-folders", "--no-limit", "--name", "f"});
        do {
            CliProcess beside = startCli(search);
            checkSearch(runCli(search), now, before);
            checkSearch(finishCli(beside), now, before);
        } while (running(*builds[0]) || running(*builds[1]));
        for (CliProcess& build : builds)
            if (finishCli(build).exitCode != 0)
                problems.push_back("a build failed");
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

    Files before = treeOnDisk(root).files;
    int rounds = 0;
    for (; rounds < 3 || std::chrono::steady_clock::now() < end; ++rounds) {
        changeTree();
        const TreeOnDisk content = treeOnDisk(root);
        const std::time_t from = std::time(nullptr);
        runRound(content.files, before);
        expectPairMatchesTree(indexes, root, from, std::time(nullptr));
        for (const auto& file : std::filesystem::directory_iterator(indexes))
            EXPECT_EQ(file.path().string().find(".tmp."), std::string::npos) << file.path();
        before = content.files;
    }
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems in " << searches << ": "
                                  << problems.front();
}
