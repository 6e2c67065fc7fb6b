#pragma once
// zephrix-cli started as a shell would start it: stdin on /dev/null, stdout
// on a pipe, stderr in a file.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/TempTree.h"

extern char** environ;

namespace zephrix::clitest {

struct CliRun {
    int exitCode = -1; // -1: did not end normally
    std::string out;
    std::string err;
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

inline std::vector<char*> pointersTo(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (auto& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

inline CliProcess startCli(const CliCommand& command, const std::string& errFile)
{
    std::vector<std::string> words = command.prefix;
    words.push_back(ZEPHRIX_CLI_PATH);
    words.insert(words.end(), command.args.begin(), command.args.end());
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& given : command.env)
            replaced |= entry.compare(0, given.find('=') + 1, given, 0, given.find('=') + 1) == 0;
        if (!replaced)
            env.push_back(entry);
    }
    env.insert(env.end(), command.env.begin(), command.env.end());

    CliProcess process;
    process.errFile = errFile;
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
    auto argv = pointersTo(words);
    auto envp = pointersTo(env);
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
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        text.append(buffer, size_t(got));
    }
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
