#include <unistd.h>

#include <cstdio>
#include <memory>
#include <system_error>

#include "cli/Commands.h"
#include "cli/FolderArguments.h"
#include "cli/Interrupt.h"
#include "cli/StderrReporter.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalText.h"
#include "drives/DriveCatalogue.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
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
            std::fprintf(stderr, "zephrix-cli: %s: unexpected '%s' (see --help)\n", command,
                         escapeControlBytes(arg).c_str());
            return false;
        }
    }
    if (!haveRoot)
        std::fprintf(stderr, "zephrix-cli: %s needs a ROOT folder (see --help)\n", command);
    return haveRoot;
}

// Says so when another build of the pair runs (another zephrix-cli, or the
// window's background indexing), since this one then waits for its end.
void tellWhenWaiting(const IndexContext& ctx, const std::string& root, IndexMode mode)
{
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, mode);
    PairLock probe;
    if (paths && probe.acquire(paths->lock, PairLock::Kind::Exclusive, LockWait::Skip, ctx.yield, {}) ==
                     PairLock::Result::Busy)
        std::fprintf(stderr, "zephrix-cli: waiting for another build of %s to end\n",
                     escapeControlBytes(root).c_str());
}

// The walk goes on past folders it cannot read; the index then lacks what
// they hold, which the user should know.
void tellUnreadableFolders(const IndexBuildResult& result)
{
    if (result.unreadableFolders == 0)
        return;
    std::fprintf(stderr, "zephrix-cli: %llu folder%s could not be read; the index lacks what %s:\n",
                 static_cast<unsigned long long>(result.unreadableFolders),
                 result.unreadableFolders == 1 ? "" : "s",
                 result.unreadableFolders == 1 ? "it holds" : "they hold");
    for (const std::string& folder : result.firstUnreadableFolders)
        std::fprintf(stderr, "  %s\n", escapeControlBytes(folder).c_str());
    if (result.unreadableFolders > result.firstUnreadableFolders.size())
        std::fprintf(
            stderr, "  and %llu more\n",
            static_cast<unsigned long long>(result.unreadableFolders - result.firstUnreadableFolders.size()));
}

} // namespace

int runDrives(const GlobalOptions&, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "zephrix-cli: drives takes no arguments\n");
        return ExitBadRequest;
    }
    StderrReporter reporter;
    for (const Drive& drive : LoadDriveList(&reporter)) {
        std::string root;
        appendEscapedCell(root, drive.root);
        std::printf("%s\t%s\n", root.c_str(), drive.typeName.c_str());
    }
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

    const IndexMode mode = folder ? IndexMode::Folder : IndexMode::Drive;
    tellWhenWaiting(ctx, root, mode);
    const IndexBuildResult result = IndexDrive(ctx, root, mode, IndexingWindow::Show);
    tellUnreadableFolders(result);
    switch (result.outcome) {
    case BuildOutcome::Cancelled:
        std::fprintf(stderr, "zephrix-cli: cancelled; there is no index of %s now\n",
                     escapeControlBytes(root).c_str());
        return ExitInterrupted;
    case BuildOutcome::NotStarted:
        std::fprintf(stderr, "zephrix-cli: cancelled before the build began; the index of %s is as it was\n",
                     escapeControlBytes(root).c_str());
        return ExitInterrupted;
    case BuildOutcome::Built:
    case BuildOutcome::Failed:
    case BuildOutcome::Skipped: // never: the build waits
        break;
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
