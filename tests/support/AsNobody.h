#pragma once
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace zephrix::test {

constexpr uid_t NobodyId = 65534;

// Runs work in a child as nobody (root passes every permission check): its result (0 to 127), or -1
// when the child could not drop its privileges or did not end normally.
inline int runAsNobody(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(NobodyId, NobodyId, NobodyId) != 0 ||
            ::setresuid(NobodyId, NobodyId, NobodyId) != 0)
            ::_exit(255);
        ::_exit(work() & 0x7f);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace zephrix::test
