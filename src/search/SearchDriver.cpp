#include "search/SearchDriver.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <new>
#include <system_error>

#include "core/ErrorCodes.h"
#include "core/PathText.h"
#include "core/ScopedFlag.h"
#include "index/IndexBuilder.h"
#include "index/IndexLoader.h"
#include "search/EntryMatcher.h"
#include "search/SearchLimits.h"
#include "search/SearchTexts.h"

namespace zephrix {

double monotonicSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string formatSeconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds < 0 ? 0.0 : seconds);
    return text;
}

SearchDriver::SearchDriver(IndexContext& ctx, SearchFrontEnd frontEnd, SearchState& state)
    : ctx_(ctx), ui_(frontEnd), state_(state)
{
}

void SearchDriver::cmdSearch_Click()
{
    // A request that arrives while one runs (Enter reaches the handler
    // through the yields even though the button is disabled) is ignored.
    if (running_)
        return;
    ScopedFlag running(running_);
    try {
        runRequest();
    } catch (const std::bad_alloc&) {
        if (ctx_.errors)
            ctx_.errors->reportError(Locations::SearchHandler, ENOMEM, "Out of memory");
        ui_.status.setSearchEnabled(true);
    } catch (const std::system_error& e) {
        if (ctx_.errors)
            ctx_.errors->reportError(Locations::SearchHandler, e.code().value(), e.what());
        ui_.status.setSearchEnabled(true);
    } catch (const std::exception& e) {
        if (ctx_.errors)
            ctx_.errors->reportError(Locations::SearchHandler, ErrorNumbers::InvalidArgument, e.what());
        ui_.status.setSearchEnabled(true);
    }
}

void SearchDriver::runRequest()
{
    ui_.status.setSearchEnabled(false);
    if (!ctx_.BackgroundIndexRoot.empty() && ctx_.SearchWaitingForIndex) {
        ui_.status.showIndexingWindow();
        ui_.status.setSearchEnabled(true);
        return;
    }
    if (ctx_.BackgroundIndexing) {
        ctx_.SearchWaitingForIndex = true;
        ui_.status.showIndexingWindow();
        ui_.status.setSearchEnabled(true);
        return;
    }

    state_.SearchStartTime = monotonicSeconds();
    ui_.status.setSearchTimerRunning(true);
    ui_.status.setFilesSearched(std::string(SearchTexts::FilesSearched) + "0");
    ui_.status.setSearchTime(SearchTexts::PreparingToSearch);
    ui_.status.setFilesFound(std::string(SearchTexts::FilesFound) + "0");
    ui_.status.setIndexerTimerRunning(false);
    ctx_.CancelIndexing = false;
    state_.SearchCancelled = false;
    state_.FilesSearchedCount = 0;
    state_.FilesFoundCount = 0;
    ui_.status.setCancelSearchVisible(true);

    ui_.request.readCriteria(criteria_);
    if (const char* rejection = ValidateSearchCriteria(criteria_)) {
        displayError(rejection);
        ui_.status.setSearchEnabled(true);
        ui_.status.setIndexerTimerRunning(true);
        ui_.status.setSearchTimerRunning(false);
        ui_.status.setCancelSearchVisible(false);
        return;
    }
    if (RewriteNameWithExtension(criteria_.name, criteria_.fileType))
        ui_.request.setNameAndType(criteria_.name, criteria_.fileType);

    ui_.results.clearResults();
    state_.ResultRowCount = 0;
    ui_.status.setIndexerTimerRunning(false);
    ui_.status.showResultsTab();

    if (criteria_.scope == SearchScope::Drives) {
        const std::vector<std::string> drives = criteria_.drives;
        for (const std::string& root : drives) {
            if (searchRoot(root, SearchScope::Drives, root, root) == RootOutcome::Cancelled) {
                cancelEnding();
                return;
            }
        }
    } else {
        const std::string folder = withTrailingSlash(criteria_.folder);
        if (searchRoot(criteria_.folderRoot, SearchScope::Folder, folder, criteria_.folderRoot) ==
            RootOutcome::Cancelled) {
            cancelEnding();
            return;
        }
    }
    finish();
}

// Builds the pair of target, loads it and matches it, with a cancel check
// before each step. A build stopped by Cancel Search leaves no pair; the
// check after it keeps the last root from going on to the finish and hiding
// that the search was cancelled.
SearchDriver::RootOutcome SearchDriver::buildLoadAndMatch(const std::string& target, IndexMode mode)
{
    if (state_.SearchCancelled)
        return RootOutcome::Cancelled;
    IndexDrive(ctx_, target, mode, IndexingWindow::Show);
    if (state_.SearchCancelled)
        return RootOutcome::Cancelled;
    if (!LoadIndex(ctx_, target, mode))
        return RootOutcome::NotLoaded;
    if (state_.SearchCancelled)
        return RootOutcome::Cancelled;
    match();
    return RootOutcome::Done;
}

// Makes sure a usable pair of root is in memory and matches it. In folder
// scope a fresh drive pair serves (the matcher keeps the folder's own
// files); otherwise only the folder is indexed, into the folder pair.
SearchDriver::RootOutcome SearchDriver::searchRoot(const std::string& root, SearchScope scope,
                                                   const std::string& folder, const std::string& shownRoot)
{
    const bool folderScope = scope == SearchScope::Folder;
    const std::string& buildTarget = folderScope ? folder : root;
    const IndexMode mode = folderScope ? IndexMode::Folder : IndexMode::Drive;
    auto cancelled = [this] { return state_.SearchCancelled; };

    ui_.request.readOptions(options_);
    const bool stale = IndexAgeHours(ctx_, root) >= SearchLimits::StaleAgeHours || options_.ForceIndex;
    if (stale) {
        // A stale root whose new pair cannot be loaded is skipped silently.
        return buildLoadAndMatch(buildTarget, mode) == RootOutcome::Cancelled ? RootOutcome::Cancelled
                                                                              : RootOutcome::Done;
    }
    // Checked before the load too, so that a search cancelled on an earlier
    // root does not read this root's pair for nothing.
    if (cancelled())
        return RootOutcome::Cancelled;
    if (root == ctx_.LoadedIndexRoot && LoadedPairIsCurrent(ctx_)) {
        match();
        return RootOutcome::Done;
    }
    if (LoadIndex(ctx_, root, IndexMode::Drive)) {
        if (cancelled())
            return RootOutcome::Cancelled;
        match();
        return RootOutcome::Done;
    }
    const RootOutcome rebuilt = buildLoadAndMatch(buildTarget, mode);
    if (rebuilt != RootOutcome::NotLoaded)
        return rebuilt;
    displayError(std::string(SearchTexts::UnableToSearchBefore) + shownRoot +
                 SearchTexts::UnableToSearchAfter);
    return RootOutcome::Done;
}

void SearchDriver::match()
{
    MatchLoadedIndex(ctx_, ui_, state_);
}

void SearchDriver::cancelEnding()
{
    showResultsToolbar();
    ui_.status.setSearchEnabled(true);
}

void SearchDriver::finish()
{
    ui_.results.flushResults();
    ui_.status.setSearchTimerRunning(false);
    ui_.status.setIndexerTimerRunning(true);
    ui_.status.setFilesSearched(std::string(SearchTexts::FilesSearched) +
                                std::to_string(state_.FilesSearchedCount));
    ui_.status.setSearchTime(std::string(SearchTexts::ResultsReturnedIn) + formatSeconds(elapsedSeconds()) +
                             SearchTexts::Seconds);
    ui_.status.setFilesFound(std::string(SearchTexts::FilesFound) + std::to_string(state_.FilesFoundCount));
    ui_.status.setCancelSearchVisible(false);
    ui_.status.setExpandResultsVisible(true);
    // The pair stays in memory: the next search of the same root answers
    // from it without reading the files again.
    showResultsToolbar();
    ui_.status.setSearchEnabled(true);
}

void SearchDriver::showResultsToolbar()
{
    ui_.results.flushResults();
    ui_.status.showResultsToolbar(state_.ResultRowCount > 0);
}

void SearchDriver::displayError(const std::string& message)
{
    ui_.results.flushResults();
    ui_.messages.displayError(message);
}

void SearchDriver::cmdCancelSearch_Click()
{
    state_.SearchCancelled = true;
    ctx_.CancelIndexing = true;
    ui_.status.setCancelSearchVisible(false);
    ui_.status.setSearchTime(SearchTexts::SearchCancelled);
    ui_.status.setSearchTimerRunning(false);
    ctx_.yield();
}

void SearchDriver::tmrSearchTime_Timer()
{
    ui_.status.setSearchTime(std::string(SearchTexts::TimeElapsed) + formatSeconds(elapsedSeconds()) +
                             SearchTexts::Seconds);
}

double SearchDriver::elapsedSeconds() const
{
    return monotonicSeconds() - state_.SearchStartTime;
}

} // namespace zephrix
