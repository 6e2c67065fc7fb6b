#include "shell/DetachedLaunch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/FileDescriptor.h"

namespace zephrix {
namespace {

bool isExecutableFile(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0 && ::access((path + "/.").c_str(), F_OK) != 0;
}

// Runs in the grandchild: only calls that are safe after fork.
[[noreturn]] void execProgram(char* const* argv, const char* folder, int report)
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // An ignored SIGPIPE would be inherited through exec.
    signal(SIGPIPE, SIG_DFL);
    if (folder && ::chdir(folder) != 0) {
        // A missing working folder is no reason to refuse the launch.
    }
    ::execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] ssize_t written = ::write(report, &error, sizeof error);
    ::_exit(127);
}

} // namespace

std::string findProgram(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return isExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

int launchDetached(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    if (argv.empty() || argv[0].empty())
        return ENOENT;
    // Everything the children need is built before the fork: after it, a
    // multi-threaded process may not allocate.
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return errno;
    FileDescriptor readEnd(pipeEnds[0]);
    FileDescriptor writeEnd(pipeEnds[1]);

    // Two forks: the middle process ends at once, so the program is adopted
    // by init and never becomes a zombie of ours.
    const pid_t middle = ::fork();
    if (middle < 0)
        return errno;
    if (middle == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program < 0) {
            const int error = errno;
            [[maybe_unused]] ssize_t written = ::write(writeEnd.get(), &error, sizeof error);
            ::_exit(1);
        }
        if (program > 0)
            ::_exit(0);
        execProgram(arguments.data(), folder, writeEnd.get());
    }
    writeEnd.reset();
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes unread when exec succeeds; an errno arrives otherwise.
    int error = 0;
    ssize_t got;
    while ((got = ::read(readEnd.get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return got == ssize_t(sizeof error) ? error : 0;
}

} // namespace zephrix
