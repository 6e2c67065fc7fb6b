#pragma once
#include <string>

#include "index/IndexContext.h"
#include "index/IndexMode.h"
#include "search/SearchCriteria.h"
#include "search/SearchFrontEnd.h"
#include "search/SearchState.h"

namespace zephrix {

// Runs search requests from start to end over the index pairs in
// ctx.indexesDir: waits for background indexing, validates, makes sure each
// root's pair is in memory (using, loading or building it) and matches it,
// then shows the totals. The window and the command line own one each and
// call the handlers below from their buttons, timers and key presses.
//
// Wiring: ctx.yield is where the front end lets its other handlers run (the
// window processes events there, so Cancel Search reaches
// cmdCancelSearch_Click in the middle of a build, load or match); the
// background indexer sets ctx.BackgroundIndexing while it builds and
// ctx.BackgroundIndexRoot before each build, and when its pass ends with
// ctx.SearchWaitingForIndex set it clears that and calls cmdSearch_Click.
class SearchDriver {
  public:
    SearchDriver(IndexContext& ctx, SearchFrontEnd frontEnd, SearchState& state);

    void cmdSearch_Click();
    void cmdCancelSearch_Click();
    // Every 100 ms while a search runs: the elapsed time.
    void tmrSearchTime_Timer();

    bool running() const { return running_; }

  private:
    enum class RootOutcome { Done, Cancelled, NotLoaded };
    RootOutcome buildLoadAndMatch(const std::string& target, IndexMode mode);

    void runRequest();
    RootOutcome searchRoot(const std::string& root, SearchScope scope, const std::string& folder,
                           const std::string& shownRoot);
    void match();
    void finish();
    void cancelEnding();
    double elapsedSeconds() const;

    void showResultsToolbar();
    // Rows listed so far come before a message and before the final labels.
    void displayError(const std::string& message);

    IndexContext& ctx_;
    SearchFrontEnd ui_;
    SearchState& state_;
    SearchCriteria criteria_;
    SearchOptions options_;
    bool running_ = false;
};

// Seconds on the monotonic clock.
double monotonicSeconds();
// Seconds with one decimal, as the elapsed-time texts show them: 2.34 gives "2.3".
std::string formatSeconds(double seconds);

} // namespace zephrix
