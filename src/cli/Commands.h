#pragma once
#include <string>
#include <vector>

namespace zephrix::cli {

// Exit codes of zephrix-cli.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadRequest = 2;
constexpr int ExitInterrupted = 130;

// Options that come before the command.
struct GlobalOptions {
    std::string indexesDir; // --indexes DIR, or the default indexes folder
};

// Creates the indexes folder when it is missing; false, with the reason on
// stderr, when it cannot be made.
bool makeIndexesFolder(const GlobalOptions& global);

// Each command takes the words after its name.
int runDrives(const GlobalOptions& global, const std::vector<std::string>& args);
int runIndex(const GlobalOptions& global, const std::vector<std::string>& args);
int runAge(const GlobalOptions& global, const std::vector<std::string>& args);
int runSearch(const GlobalOptions& global, const std::vector<std::string>& args);

} // namespace zephrix::cli
