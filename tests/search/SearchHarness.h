#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "index/IndexContext.h"
#include "index/IndexingView.h"
#include "index/RecordingReporter.h"
#include "search/SearchDriver.h"
#include "search/SearchFrontEnd.h"
#include "support/TempTree.h"

namespace zephrix::test {

// One entry line of a hand-made index pair.
struct StoredEntry {
    std::string name;
    uint32_t folder = 0;
    std::string size;
    std::string created = "3/1/2005 10:15:00 AM";
    std::string modified = "3/2/2005 4:30:10 PM";
};

// Writes the drive or folder pair of root into
// indexesDir line by line in the stored form, stamped ageHours ago. folders
// are the folder lines after the root, full paths ending in '/'.
void writePair(const std::string& indexesDir, const std::string& root, IndexMode mode,
               const std::vector<std::string>& folders, const std::vector<StoredEntry>& entries,
               int ageHours = 1);
bool pairExists(const std::string& indexesDir, const std::string& root, IndexMode mode);

// The window as far as the search sees it: every label, row, message,
// timer and button state, kept for the test to read.
class RecordingView : public SearchRequestSource,
                      public SearchStatusView,
                      public ResultSink,
                      public SearchMessages {
  public:
    SearchFrontEnd frontEnd() { return {*this, *this, *this, *this}; }

    SearchCriteria criteria;
    SearchOptions options;
    // Runs at every readCriteria, so a test can change a control mid-search.
    std::function<void(SearchCriteria&)> onReadCriteria;

    std::string searchTime = "Results Returned In: 0 Seconds";
    std::string filesSearched = "Files Searched: 0";
    std::string filesFound = "Files Found: 0";
    std::string notes;
    std::vector<std::string> notesHistory;
    std::vector<ResultRow> rows;
    std::vector<std::string> errors;
    std::vector<std::string> oks;
    std::vector<std::pair<std::string, std::string>> rewrites;
    int indexingShown = 0;
    int clears = 0;
    std::optional<bool> toolbarFull;
    bool resultsTab = false;
    bool searchTimer = false;
    bool indexerTimer = true;
    bool searchEnabled = true;
    bool cancelVisible = false;
    bool expandVisible = false;
    int flushes = 0;

    void readCriteria(SearchCriteria& out) override;
    void readOptions(SearchOptions& out) override { out = options; }
    void setNameAndType(const std::string& name, const std::string& type) override;
    void setSearchTime(const std::string& text) override { searchTime = text; }
    void setFilesSearched(const std::string& text) override { filesSearched = text; }
    void setFilesFound(const std::string& text) override { filesFound = text; }
    void setNotes(const std::string& text) override;
    void clearResults() override;
    void addResult(ResultRow&& row) override { rows.push_back(std::move(row)); }
    void flushResults() override { ++flushes; }
    void showResultsToolbar(bool full) override { toolbarFull = full; }
    void showResultsTab() override { resultsTab = true; }
    void displayError(const std::string& message) override { errors.push_back(message); }
    void displayOk(const std::string& message) override { oks.push_back(message); }
    void showIndexingWindow() override { ++indexingShown; }
    void setSearchTimerRunning(bool running) override { searchTimer = running; }
    void setIndexerTimerRunning(bool running) override { indexerTimer = running; }
    void setSearchEnabled(bool enabled) override { searchEnabled = enabled; }
    void setCancelSearchVisible(bool visible) override { cancelVisible = visible; }
    void setExpandResultsVisible(bool visible) override { expandVisible = visible; }
};

class RecordingIndexingView : public IndexingView {
  public:
    int shown = 0;
    bool building = false; // between the path label and the end of the build

    void showIndexing() override { ++shown; }
    void hideIndexing() override { building = false; }
    void setIndexingPath(const std::string&) override { building = true; }
    void setIndexingStatus(const std::string&) override {}
    void setIndexingFilesFound(const std::string&) override {}
    void setIndexingDirectoriesFound(const std::string&) override {}
};

// An engine set up as the window sets it up, with its indexes in a folder
// of its own and a yield that the test can hook.
class SearchHarness {
  public:
    SearchHarness();

    TempTree data;
    std::string indexes;
    IndexContext ctx;
    RecordingView view;
    RecordingIndexingView indexing;
    indextest::RecordingReporter errors;
    SearchState state;
    SearchDriver driver{ctx, view.frontEnd(), state};
    int yields = 0;
    std::function<void()> onYield;

    void search() { driver.cmdSearch_Click(); }
    // Presses Cancel Search at the first yield where when() holds.
    void cancelWhen(std::function<bool()> when);
    // Rows as paths relative to root; folders end in '/'.
    std::vector<std::string> rowPaths(const std::string& root) const;
    bool finishedNormally() const;
};

// Drives scope over the given roots with nothing restricted yet.
SearchCriteria onDrives(std::vector<std::string> roots);

} // namespace zephrix::test
