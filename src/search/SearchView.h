#pragma once
#include <cstddef>
#include <string>

#include "search/ResultRow.h"
#include "search/SearchCriteria.h"

namespace zephrix {

// What the search shows and reads: the main window and the command line each
// implement it, so both run the very same search. Each label call carries the
// label's whole text.
class SearchView {
  public:
    virtual ~SearchView() = default;

    // The request as the controls hold it now, and the options besides it.
    // Read when a request starts and again after every yield, because the
    // controls stay live while a search runs. Fill in place: the search keeps
    // one record per request.
    virtual void readCriteria(SearchCriteria& criteria) = 0;
    virtual void readOptions(SearchOptions& options) = 0;
    // The name and type boxes after a name typed with an extension was split.
    virtual void setNameAndType(const std::string& name, const std::string& type) = 0;

    virtual void setSearchTime(const std::string& text) = 0;    // lblSearchTime
    virtual void setFilesSearched(const std::string& text) = 0; // lblFilesSearched
    virtual void setFilesFound(const std::string& text) = 0;    // lblFilesFound
    virtual void setNotes(const std::string& text) = 0;         // lblNotes

    // The results list: emptied (rows and their icons) when a request starts.
    virtual void clearResults() = 0;
    virtual void addResult(const ResultRow& row) = 0;
    virtual size_t resultCount() const = 0;
    // The full toolbar layout (true) or the compact one.
    virtual void showResultsToolbar(bool full) = 0;
    virtual void showResultsTab() = 0;

    // The message dialog, shown without waiting.
    virtual void displayError(const std::string& message) = 0;
    virtual void displayOk(const std::string& message) = 0;
    virtual void showIndexingWindow() = 0;

    virtual void setSearchTimerRunning(bool running) = 0;   // tmrSearchTime
    virtual void setIndexerTimerRunning(bool running) = 0;  // tmrIndexer
    virtual void setSearchEnabled(bool enabled) = 0;        // cmdSearch
    virtual void setCancelSearchVisible(bool visible) = 0;  // cmdCancelSearch
    virtual void setExpandResultsVisible(bool visible) = 0; // cmdExpandResults

    // The digit-grouping symbol of the user's locale for the Size cells.
    virtual std::string digitGroupSeparator() const = 0;
};

} // namespace zephrix
