#pragma once
#include <string>

#include "core/EngineHost.h"
#include "index/IndexContext.h"
#include "search/SearchDriver.h"
#include "search/SearchFrontEnd.h"
#include "search/SearchState.h"

namespace zephrix {

class IndexingView;

// Everything one front end's searches share for as long as it lives: the
// index in memory with its build flags, the state of the running request and
// the driver that runs requests. The window owns one, the command line one
// per run; nothing of it is global.
class SearchSession {
  public:
    SearchSession(const std::string& indexesDir, SearchFrontEnd frontEnd, ErrorReporter& errors,
                  IndexingView* indexingView = nullptr);
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    IndexContext& index() { return index_; }
    SearchState& state() { return state_; }
    SearchDriver& driver() { return driver_; }

    // Where long work lets the front end's other handlers run.
    void setYield(YieldFn yield) { index_.yield = std::move(yield); }

  private:
    IndexContext index_;
    SearchState state_;
    SearchDriver driver_;
};

} // namespace zephrix
