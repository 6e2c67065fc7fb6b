#include <unistd.h>

#include <cstdio>
#include <memory>
#include <system_error>

#include "cli/Commands.h"
#include "cli/FolderArguments.h"
#include "cli/Interrupt.h"
#include "cli/StderrReporter.h"
#include "cli/TerminalProgress.h"
#include "drives/DriveCatalogue.h"
#include "index/IndexBuilder.h"
#include "index/IndexLoader.h"

namespace zephrix::cli {
namespace {

bool takeRoot(const std::vector<std::string>& args, const char* command, std::string& root, bool& folder)
{
    bool haveRoot = false;
    for (const std::string& arg : args) {
        if (arg == "--folder" && !folder && std::string(command) == "index") {
            folder = true;
        } else if (!haveRoot && !arg.empty() && (arg[0] != '-' || arg == "-")) {
            root = arg;
            haveRoot = true;
        } else {
            std::fprintf(stderr, "zephrix-cli: %s: unexpected '%s' (see --help)\n", command, arg.c_str());
            return false;
        }
    }
    if (!haveRoot)
        std::fprintf(stderr, "zephrix-cli: %s needs a ROOT folder (see --help)\n", command);
    return haveRoot;
}

} // namespace

int runDrives(const GlobalOptions&, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "zephrix-cli: drives takes no arguments\n");
        return ExitBadRequest;
    }
    StderrReporter reporter;
    for (const Drive& drive : LoadDriveList(&reporter))
        std::printf("%s\t%s\n", drive.root.c_str(), drive.typeName.c_str());
    return reporter.count == 0 ? ExitOk : ExitFailed;
}

int runIndex(const GlobalOptions& global, const std::vector<std::string>& args)
{
    std::string argument;
    bool folder = false;
    if (!takeRoot(args, "index", argument, folder))
        return ExitBadRequest;
    const std::string root = absoluteRoot(argument);

    if (!makeIndexesFolder(global))
        return ExitFailed;

    StderrReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = global.indexesDir;
    ctx.errors = &reporter;
    const auto progress = showProgressOnTerminal(ctx);
    installInterruptHandler();
    ctx.yield = [&ctx] {
        if (interrupted())
            ctx.CancelIndexing = true;
    };

    IndexDrive(ctx, root, folder ? IndexMode::Folder : IndexMode::Drive, IndexingWindow::Show);
    if (interrupted() || ctx.CancelIndexing) {
        std::fprintf(stderr, "zephrix-cli: cancelled; there is no index of %s now\n", root.c_str());
        return ExitInterrupted;
    }
    return reporter.count == 0 ? ExitOk : ExitFailed;
}

int runAge(const GlobalOptions& global, const std::vector<std::string>& args)
{
    std::string argument;
    bool folder = false;
    if (!takeRoot(args, "age", argument, folder))
        return ExitBadRequest;
    StderrReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = global.indexesDir;
    ctx.errors = &reporter;
    std::printf("%d\n", IndexAgeHours(ctx, absoluteRoot(argument)));
    return reporter.count == 0 ? ExitOk : ExitFailed;
}

} // namespace zephrix::cli
