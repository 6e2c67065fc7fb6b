#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/Options.h"
#include "app/SearchSession.h"
#include "app/SettingsStore.h"
#include "app/WholeNumber.h"
#include "cli/Commands.h"
#include "cli/FolderArguments.h"
#include "cli/Interrupt.h"
#include "cli/SearchArguments.h"
#include "cli/StderrReporter.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalText.h"
#include "core/DateText.h"
#include "core/FileDescriptor.h"
#include "drives/DriveCatalogue.h"
#include "index/ExcludedFolders.h"
#include "search/SearchDriver.h"
#include "search/SizeText.h"

namespace zephrix::cli {
namespace {

// The results window on a terminal: rows go to stdout as they are added,
// messages to stderr as the dialog would show them, labels are kept so
// their last texts can close the run.
class TerminalSearchView final : public SearchRequestSource,
                                 public SearchStatusView,
                                 public ResultSink,
                                 public SearchMessages {
  public:
    SearchCriteria criteria;
    SearchOptions options;
    std::string searchTime = "Results Returned In: 0 Seconds";
    std::string filesSearched = "Files Searched: 0";
    std::string filesFound = "Files Found: 0";
    bool searchTimerRunning = false;
    bool resultsCleared = false;
    int errorsShown = 0; // messages of the error kind: a drive that could not be searched
    std::string groupSeparator = ",";

    ~TerminalSearchView() override { flushResults(); }

    SearchFrontEnd frontEnd() { return {*this, *this, *this, *this}; }

    void readCriteria(SearchCriteria& out) override { out = criteria; }
    void readOptions(SearchOptions& out) override { out = options; }
    void setNameAndType(const std::string& name, const std::string& type) override
    {
        criteria.name = name;
        criteria.fileType = type;
    }

    void setSearchTime(const std::string& text) override { searchTime = text; }
    void setFilesSearched(const std::string& text) override { filesSearched = text; }
    void setFilesFound(const std::string& text) override { filesFound = text; }
    void setNotes(const std::string&) override {}
    void showResultsToolbar(bool) override {}
    void showResultsTab() override {}
    void showIndexingWindow() override {}
    void setSearchTimerRunning(bool running) override { searchTimerRunning = running; }
    void setIndexerTimerRunning(bool) override {}
    void setSearchEnabled(bool) override {}
    void setCancelSearchVisible(bool) override {}
    void setExpandResultsVisible(bool) override {}

    void clearResults() override { resultsCleared = true; }
    void addResult(ResultRow&& row) override
    {
        const std::string cells[] = {row.name,
                                     row.path,
                                     row.fileType,
                                     formatSizeCell(row.size, groupSeparator),
                                     dateCell(row.created),
                                     dateCell(row.modified)};
        for (size_t i = 0; i < std::size(cells); ++i) {
            if (i > 0)
                pending_.push_back('\t');
            appendEscapedCell(pending_, cells[i]);
        }
        pending_.push_back('\n');
        if (pending_.size() >= 1 << 16)
            flushResults();
    }
    void flushResults() override
    {
        // Goes on when Ctrl+C interrupts a write to a full pipe; a closed
        // pipe means nobody reads the rows any more, so its failure is
        // dropped.
        writeFully(STDOUT_FILENO, pending_.data(), pending_.size());
        pending_.clear();
    }

    // Rows listed so far come first, as they would stand in the window.
    void displayError(const std::string& message) override
    {
        ++errorsShown;
        showMessage(message);
    }
    void displayOk(const std::string& message) override { showMessage(message); }

  private:
    static std::string dateCell(int64_t localSeconds)
    {
        return localSeconds == NoTime ? std::string()
                                      : formatDateText(LocalDateTime::fromLocalSeconds(localSeconds));
    }

    void showMessage(const std::string& message)
    {
        flushResults();
        std::fprintf(stderr, "%s\n", escapeControlBytes(message).c_str());
    }

    std::string pending_;
};

std::string storedText(const options::Option& option, bool noSettings)
{
    if (noSettings)
        return option.defaultValue;
    return GetSetting(options::Application, options::SettingsSection, option.key, option.defaultValue);
}

// The stored number of a yes/no option, or its default without settings or
// when the stored text is no number. The caller says which numbers mean yes,
// as the window's reading of the option does.
int optionNumber(const options::Option& option, bool noSettings)
{
    const int fallback = *parseWholeNumber(option.defaultValue);
    if (noSettings)
        return fallback;
    const std::string text =
        GetSetting(options::Application, options::SettingsSection, option.key, option.defaultValue);
    if (const auto number = parseWholeNumber(text))
        return *number;
    std::fprintf(stderr, "zephrix-cli: the setting %s (\"%s\") is not a number; using %s\n", option.key,
                 escapeControlBytes(text).c_str(), option.defaultValue);
    return fallback;
}

// The request and options as the window would hold them: what was given on
// the command line, the rest from the settings store (or the defaults).
void fillRequest(const SearchArguments& args, TerminalSearchView& view, ErrorReporter& errors)
{
    view.criteria = args.criteria;
    view.criteria.insideTypes =
        args.insideTypes ? *args.insideTypes : storedText(options::SearchInside, args.noSettings);
    if (args.folder) {
        view.criteria.scope = SearchScope::Folder;
        view.criteria.folder = *args.folder;
        view.criteria.folderRoot = args.drives.empty() ? mountPointOf(*args.folder) : args.drives.front();
    } else if (!args.drives.empty()) {
        view.criteria.drives = args.drives;
    } else {
        for (const Drive& drive : LoadDriveList(&errors)) {
            if (drive.typeName == HardDisk)
                view.criteria.drives.push_back(drive.root);
        }
    }

    SearchOptions& o = view.options;
    // Folders are listed and rebuilds forced only at 1; the limit holds only
    // at 0.
    o.ShowFolders =
        args.showFolders ? *args.showFolders : optionNumber(options::ShowFolders, args.noSettings) == 1;
    o.ResultsLimit =
        args.resultsLimit ? *args.resultsLimit : optionNumber(options::ResultsLimit, args.noSettings) != 0;
    o.ForceIndex =
        args.forceIndex ? *args.forceIndex : optionNumber(options::ForceIndex, args.noSettings) == 1;
    o.ShowIcons = false;
    o.ExcludedFolders = args.excludedFolders
                            ? *args.excludedFolders
                            : SplitExcludedFolders(storedText(options::ExcludedFolders, args.noSettings));
}

// The folders named on the command line must be there to be searched: a
// stored index of a drive that is gone would quietly give no rows. Reports
// each one that is not a folder; false when any was not.
bool namedFoldersExist(SearchArguments& args)
{
    bool allThere = true;
    auto check = [&](const std::string& path) {
        struct stat st {};
        const int err = ::stat(path.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        if (err != 0) {
            std::fprintf(stderr, "zephrix-cli: search: cannot search %s: %s\n",
                         escapeControlBytes(path).c_str(), std::strerror(err));
            allThere = false;
        }
        return err == 0;
    };
    if (args.folder)
        check(*args.folder);
    else
        std::erase_if(args.drives, [&](const std::string& root) { return !check(root); });
    return allThere;
}

} // namespace

int runSearch(const GlobalOptions& global, const std::vector<std::string>& words)
{
    SearchArguments args;
    std::string problem;
    if (!parseSearchArguments(words, args, problem)) {
        std::fprintf(stderr, "zephrix-cli: search: %s (see --help)\n", escapeControlBytes(problem).c_str());
        return ExitBadRequest;
    }
    const bool hadDrives = !args.drives.empty();
    const bool foldersThere = namedFoldersExist(args);
    // Nothing left to search: the request names no folder that is there.
    if (!foldersThere && (args.folder || (hadDrives && args.drives.empty())))
        return ExitFailed;
    if (!makeIndexesFolder(global))
        return ExitFailed;

    StderrReporter reporter;
    TerminalSearchView view;
    view.groupSeparator = QLocale::system().groupSeparator().toStdString();
    fillRequest(args, view, reporter);

    SearchSession session(global.indexesDir, view.frontEnd(), reporter);
    IndexContext& ctx = session.index();
    const auto progress = showProgressOnTerminal(ctx);
    SearchDriver& driver = session.driver();

    // Ctrl+C is the Cancel Search button, and the yields are when buttons and
    // timers get their turn.
    installInterruptHandler();
    bool cancelPressed = false;
    double lastTick = monotonicSeconds();
    ctx.yield = [&] {
        if (interrupted() && !cancelPressed) {
            cancelPressed = true;
            driver.cmdCancelSearch_Click();
        }
        if (view.searchTimerRunning) {
            const double now = monotonicSeconds();
            if (now - lastTick >= 0.1) {
                lastTick = now;
                driver.tmrSearchTime_Timer();
            }
        }
    };

    driver.cmdSearch_Click();
    view.flushResults();
    std::fprintf(stderr, "%s\n%s\n%s\n", view.filesSearched.c_str(), view.filesFound.c_str(),
                 view.searchTime.c_str());
    if (interrupted())
        return ExitInterrupted;
    // A rejected request never reaches the clearing of the results.
    if (!view.resultsCleared)
        return ExitBadRequest;
    // Rows may have come, but not all there were: a drive or pair that could
    // not be searched, a build that failed, a damaged pair rebuilt.
    return foldersThere && reporter.count == 0 && view.errorsShown == 0 ? ExitOk : ExitFailed;
}

} // namespace zephrix::cli
