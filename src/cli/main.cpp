#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DataPaths.h"
#include "app/Version.h"
#include "cli/Commands.h"
#include "cli/TerminalText.h"

namespace {

const char* const Usage =
    "usage: zephrix-cli [--indexes DIR] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  drives                 list the drives: root, TAB, type\n"
    "  index ROOT [--folder]  build the index pair of ROOT (--folder: the folder pair)\n"
    "  age ROOT               age of ROOT's index in hours (100: none, or stamped in the\n"
    "                         future; 9999: no such root)\n"
    "  search [OPTIONS]       search the indexes, one row per line:\n"
    "      --name TEXT  --match contains|exactly|starts|ends  --case\n"
    "      --type EXT  --size any|small|medium|large  --from DATE  --to DATE\n"
    "      --inside TEXT  --inside-types \"LIST\"\n"
    "      --drive ROOT (repeatable) | --folder PATH   --exclude DIR (repeatable)\n"
    "      --folders | --no-folders  --no-limit  --force-index  --no-settings\n"
    "\n"
    "Options:\n"
    "  --indexes DIR  folder that holds the index pairs\n"
    "  --version      print the version\n"
    "  --help         print this text\n"
    "\n"
    "Exit status: 0 done; 1 an error was reported (what was listed may be incomplete);\n"
    "2 a bad request; 130 interrupted. Control bytes in names are written as \\xNN.\n";

} // namespace

bool zephrix::cli::makeIndexesFolder(const GlobalOptions& global)
{
    std::error_code ec;
    std::filesystem::create_directories(global.indexesDir, ec);
    if (ec)
        std::fprintf(stderr, "zephrix-cli: cannot create %s: %s\n",
                     zephrix::cli::escapeControlBytes(global.indexesDir).c_str(), ec.message().c_str());
    return !ec;
}

int main(int argc, char* argv[])
{
    using namespace zephrix::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    GlobalOptions global;
    size_t i = 0;
    for (; i < words.size(); ++i) {
        if (words[i] == "--help" || words[i] == "-h") {
            std::fputs(Usage, stdout);
            return ExitOk;
        }
        if (words[i] == "--version") {
            std::printf("zephrix-cli %s\n", zephrix::versionText().c_str());
            return ExitOk;
        }
        if (words[i] == "--indexes") {
            if (i + 1 >= words.size()) {
                std::fputs("zephrix-cli: --indexes needs a folder\n", stderr);
                return ExitBadRequest;
            }
            global.indexesDir = words[++i];
            continue;
        }
        break;
    }
    if (i >= words.size()) {
        std::fputs(Usage, stderr);
        return ExitBadRequest;
    }
    if (global.indexesDir.empty())
        global.indexesDir = zephrix::indexesFolder();

    const std::string command = words[i];
    const std::vector<std::string> args(words.begin() + static_cast<long>(i) + 1, words.end());
    if (command == "drives")
        return runDrives(global, args);
    if (command == "index")
        return runIndex(global, args);
    if (command == "age")
        return runAge(global, args);
    if (command == "search")
        return runSearch(global, args);
    std::fprintf(stderr, "zephrix-cli: unknown command '%s' (see --help)\n",
                 escapeControlBytes(command).c_str());
    return ExitBadRequest;
}
