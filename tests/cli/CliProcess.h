#pragma once
// zephrix-cli started as a shell would start it: stdin on /dev/null, stdout
// on a pipe, stderr in a file.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempTree.h"

extern char** environ;

namespace zephrix::clitest {

struct CliRun {
    int exitCode = -1; // -1: did not end normally
    std::string out, err;
};

struct CliCommand {
    std::vector<std::string> args;   // after the program's name
    std::vector<std::string> env;    // NAME=value, in place of the inherited NAME
    std::string cwd;                 // empty: this process's
    std::vector<std::string> prefix; // words before the program, such as setpriv and its options
};

struct CliProcess {
    pid_t pid = -1;
    int out = -1; // read end of stdout
    std::string errFile;
};

inline CliProcess startCli(const CliCommand& command, const std::string& errFile)
{
    // env sets the variables; it and setpriv exec, so the pid is the program's.
    std::vector<std::string> words = command.prefix;
    words.push_back("env");
    words.insert(words.end(), command.env.begin(), command.env.end());
    words.push_back(ZEPHRIX_CLI_PATH);
    words.insert(words.end(), command.args.begin(), command.args.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    CliProcess process{-1, -1, errFile};
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return process;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!command.cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, command.cwd.c_str());
    if (posix_spawnp(&process.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        process.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    process.out = pipeFds[0];
    return process;
}

// Reads stdout to its end, then waits for the exit. A run still going after
// `limit` is killed and fails the test rather than holding it.
inline CliRun finishCli(CliProcess& process, std::chrono::seconds limit = std::chrono::seconds(120))
{
    CliRun run;
    const auto end = std::chrono::steady_clock::now() + limit;
    pollfd ready{process.out, POLLIN, 0};
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        const int polled = left.count() > 0 ? ::poll(&ready, 1, int(left.count())) : 0;
        if (polled == 0) {
            ADD_FAILURE() << "zephrix-cli did not end within " << limit.count() << " s";
            ::kill(process.pid, SIGKILL);
            break;
        }
        const ssize_t got = polled < 0 ? -1 : ::read(process.out, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR))
            break;
        run.out.append(buffer, size_t(std::max<ssize_t>(got, 0)));
    }
    ::close(process.out);
    int status = 0;
    if (process.pid > 0 && ::waitpid(process.pid, &status, 0) == process.pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.err = test::readWholeFile(process.errFile);
    return run;
}

inline CliRun runCli(const CliCommand& command, const std::string& errFile)
{
    CliProcess process = startCli(command, errFile);
    return finishCli(process);
}

// A tree to index, and a folder of the test's own for the indexes, the
// settings and stderr.
struct CliTest : ::testing::Test {
    test::TempTree work, tree;
    std::string indexes = work.at("indexes"), root = tree.path() + "/";

    CliCommand command(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--indexes", indexes});
        return {args, {"XDG_CONFIG_HOME=" + work.at("config"), "LC_ALL=C"}};
    }
    CliRun run(const std::vector<std::string>& args) const { return runCli(command(args), work.at("err")); }
};

} // namespace zephrix::clitest
