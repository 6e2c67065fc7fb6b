#pragma once
#include <cstdio>
#include <string>

#include "cli/TerminalText.h"
#include "core/EngineHost.h"

namespace zephrix::cli {

// The command line's error report: one line on stderr per failure, and a
// count so the command can choose its exit code.
class StderrReporter : public ErrorReporter {
  public:
    void reportError(int location, int number, const std::string& description) override
    {
        std::fprintf(stderr, "zephrix-cli: error %d in %d: %s\n", number, location,
                     escapeControlBytes(description).c_str());
        ++count;
    }
    int count = 0;
};

} // namespace zephrix::cli
