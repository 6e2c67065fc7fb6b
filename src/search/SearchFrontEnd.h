#pragma once
#include <string>

#include "search/ResultRow.h"
#include "search/SearchCriteria.h"

namespace zephrix {

// What a search needs from the front end that runs it (the main window, the
// command line, a test), in four small parts so each side implements only
// what it owns. Label calls carry the label's whole text.

// The request as the controls hold it now, and the options besides it. Read
// when a request starts and again after every yield, because the controls
// stay live while a search runs. Fill in place: the search keeps one record.
class SearchRequestSource {
  public:
    virtual ~SearchRequestSource() = default;
    virtual void readCriteria(SearchCriteria& criteria) = 0;
    virtual void readOptions(SearchOptions& options) = 0;
    // The name and type boxes after a name typed with an extension was split.
    virtual void setNameAndType(const std::string& name, const std::string& type) = 0;
};

// The labels, buttons and timers a search drives.
class SearchStatusView {
  public:
    virtual ~SearchStatusView() = default;
    virtual void setSearchTime(const std::string& text) = 0;    // lblSearchTime
    virtual void setFilesSearched(const std::string& text) = 0; // lblFilesSearched
    virtual void setFilesFound(const std::string& text) = 0;    // lblFilesFound
    virtual void setNotes(const std::string& text) = 0;         // lblNotes

    // The full toolbar layout (true) or the compact one.
    virtual void showResultsToolbar(bool full) = 0;
    virtual void showResultsTab() = 0;
    virtual void showIndexingWindow() = 0;

    virtual void setSearchTimerRunning(bool running) = 0;   // tmrSearchTime
    virtual void setIndexerTimerRunning(bool running) = 0;  // tmrIndexer
    virtual void setSearchEnabled(bool enabled) = 0;        // cmdSearch
    virtual void setCancelSearchVisible(bool visible) = 0;  // cmdCancelSearch
    virtual void setExpandResultsVisible(bool visible) = 0; // cmdExpandResults
};

// The results list. Rows arrive one at a time, as the matcher accepts them; a
// front end may hold them back and show them in batches, as long as it shows
// everything it was given when flushResults() is called.
class ResultSink {
  public:
    virtual ~ResultSink() = default;
    // A request starts: the rows of the last one and their icons go.
    virtual void clearResults() = 0;
    virtual void addResult(ResultRow&& row) = 0;
    // The search ended, or is about to show a message over the list.
    virtual void flushResults() {}
};

// The message dialog, shown without waiting.
class SearchMessages {
  public:
    virtual ~SearchMessages() = default;
    virtual void displayError(const std::string& message) = 0;
    virtual void displayOk(const std::string& message) = 0;
};

struct SearchFrontEnd {
    SearchRequestSource& request;
    SearchStatusView& status;
    ResultSink& results;
    SearchMessages& messages;
};

} // namespace zephrix
