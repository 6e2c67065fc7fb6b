#include "cli/Commands.h"

// Placeholder until the search command lands.
namespace zephrix::cli {
int runSearch(const GlobalOptions&, const std::vector<std::string>&) { return ExitFailed; }
}  // namespace zephrix::cli
