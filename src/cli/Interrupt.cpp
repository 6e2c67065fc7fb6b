#include "cli/Interrupt.h"

#include <csignal>

namespace zephrix::cli {
namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void onInterrupt(int)
{
    interruptSeen = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void installInterruptHandler()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking read should come back so its caller can look
    // at the flag.
    sigaction(SIGINT, &action, nullptr);
}

bool interrupted()
{
    return interruptSeen != 0;
}

} // namespace zephrix::cli
