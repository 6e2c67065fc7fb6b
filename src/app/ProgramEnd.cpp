#include "app/ProgramEnd.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/TestEnvironment.h"
#include "index/LiveTemporaries.h"

namespace zephrix {

void endProgram()
{
    const int removed = removeLiveTemporaries();
    if (testEventLogWanted())
        logTestEvent("ended, temporaries removed: " + std::to_string(removed));
    std::fflush(nullptr);
    // No unwinding and no destructors: they would run with a search or a
    // build still on the stack below this call.
    ::_exit(0);
}

} // namespace zephrix
