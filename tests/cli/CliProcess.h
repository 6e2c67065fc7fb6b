#pragma once
// zephrix-cli started as a shell would start it: stdin on /dev/null, stdout
// on a pipe, stderr in a file.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

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
    std::vector<std::string> words = command.prefix, env = command.env;
    words.push_back(ZEPHRIX_CLI_PATH);
    words.insert(words.end(), command.args.begin(), command.args.end());
    for (char** e = environ; *e; ++e) {
        const std::string name = std::string(*e).substr(0, std::string(*e).find('=') + 1);
        if (std::none_of(command.env.begin(), command.env.end(),
                         [&](const auto& g) { return g.starts_with(name); }))
            env.push_back(*e);
    }
    auto pointers = [](std::vector<std::string>& list) {
        std::vector<char*> result;
        for (auto& word : list)
            result.push_back(word.data());
        result.push_back(nullptr);
        return result;
    };
    auto argv = pointers(words), envp = pointers(env);
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
    if (posix_spawnp(&process.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        process.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    process.out = pipeFds[0];
    return process;
}

inline std::string readToEnd(int fd)
{
    std::string text;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0 && (got > 0 || errno == EINTR);)
        text.append(buffer, size_t(std::max<ssize_t>(got, 0)));
    ::close(fd);
    return text;
}

// Reads stdout to its end, then waits for the exit.
inline CliRun finishCli(CliProcess& process)
{
    CliRun run;
    run.out = readToEnd(process.out);
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

} // namespace zephrix::clitest
