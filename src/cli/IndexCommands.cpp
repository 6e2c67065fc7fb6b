#include <cstdio>

#include "cli/Commands.h"

// Placeholder until the index commands land.
namespace zephrix::cli {
int runDrives(const GlobalOptions&, const std::vector<std::string>&) { return ExitFailed; }
int runIndex(const GlobalOptions&, const std::vector<std::string>&) { return ExitFailed; }
int runAge(const GlobalOptions&, const std::vector<std::string>&) { return ExitFailed; }
}  // namespace zephrix::cli
