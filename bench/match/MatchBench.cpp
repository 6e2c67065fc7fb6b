// Times the search of a pair already in memory, the driver's whole request
// (age check, identity check, matcher) with a front end that only counts,
// for the name tests of bench/search-names.sh:
//
//   match-bench INDEXES ROOT [RUNS] [REQUEST...]
//
// REQUEST is one of contains, exactly, starts, ends, type, nothing, window
// (contains with the 1000-file limit and the folder rows, as the window runs
// it with its default options); all of them by default. RUNS 1 runs each request once after the load, for
// counting instructions under callgrind (toggle-collect on zephrix::MatchLoadedIndex).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/EngineHost.h"
#include "index/IndexLoader.h"
#include "search/SearchDriver.h"

using namespace zephrix;

namespace {

class PrintingReporter : public ErrorReporter {
  public:
    void reportError(int location, int number, const std::string& description) override
    {
        std::fprintf(stderr, "error %d in %d: %s\n", number, location, description.c_str());
    }
};

// Holds the request and counts what the search shows; nothing is drawn.
class CountingFrontEnd : public SearchRequestSource,
                         public SearchStatusView,
                         public ResultSink,
                         public SearchMessages {
  public:
    SearchFrontEnd frontEnd() { return {*this, *this, *this, *this}; }
    SearchCriteria criteria;
    SearchOptions options;
    size_t rows = 0;
    std::string lastMessage;

    void readCriteria(SearchCriteria& out) override { out = criteria; }
    void readOptions(SearchOptions& out) override { out = options; }
    void setNameAndType(const std::string& name, const std::string& type) override
    {
        criteria.name = name;
        criteria.fileType = type;
    }
    void setSearchTime(const std::string&) override {}
    void setFilesSearched(const std::string&) override {}
    void setFilesFound(const std::string&) override {}
    void setNotes(const std::string&) override {}
    void showResultsToolbar(bool) override {}
    void showResultsTab() override {}
    void showIndexingWindow() override {}
    void setSearchTimerRunning(bool) override {}
    void setIndexerTimerRunning(bool) override {}
    void setSearchEnabled(bool) override {}
    void setCancelSearchVisible(bool) override {}
    void setExpandResultsVisible(bool) override {}
    void clearResults() override { rows = 0; }
    void addResult(ResultRow&&) override { ++rows; }
    void displayError(const std::string& message) override { lastMessage = message; }
    void displayOk(const std::string& message) override { lastMessage = message; }
};

struct Request {
    const char* label;
    const char* name;
    NameMatch match;
    const char* type;
    bool window; // the window's defaults: the 1000-file limit, folder rows
};

// The requests of bench/search-names.sh, and the window's repeated search.
const Request Requests[] = {
    {"contains", "quarterly", NameMatch::Contains, "", false},
    {"exactly", "quarterly-report-500500", NameMatch::Exactly, "", false},
    {"starts", "quarterly", NameMatch::StartsWith, "", false},
    {"ends", "report-500500", NameMatch::EndsWith, "", false},
    {"type", "", NameMatch::Contains, "xlsx", false},
    {"nothing", "zzzzzz", NameMatch::Contains, "", false},
    {"window", "quarterly", NameMatch::Contains, "", true},
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: match-bench INDEXES ROOT [RUNS] [REQUEST...]\n");
        return 2;
    }
    const std::string root = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 21;
    std::vector<std::string> chosen(argv + std::min(argc, 4), argv + argc);

    PrintingReporter reporter;
    IndexContext ctx;
    ctx.indexesDir = argv[1];
    ctx.errors = &reporter;
    if (!LoadIndex(ctx, root, IndexMode::Drive)) {
        std::fprintf(stderr, "no pair for %s in %s\n", root.c_str(), argv[1]);
        return 1;
    }
    ctx.LoadedIndexRoot = root;

    CountingFrontEnd view;
    view.options.ShowIcons = false;
    view.criteria.drives = {root};
    SearchState state;
    SearchDriver driver(ctx, view.frontEnd(), state);
    for (const Request& request : Requests) {
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), request.label) == chosen.end())
            continue;
        view.criteria.name = request.name;
        view.criteria.nameMatch = request.match;
        view.criteria.fileType = request.type;
        view.options.ResultsLimit = !request.window;
        view.options.ShowFolders = request.window;
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            driver.cmdSearch_Click();
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (ctx.LoadedIndexRoot != root) {
                std::fprintf(stderr, "the pair left memory\n");
                return 1;
            }
        }
        std::printf("%-9s %6zu rows %8lld searched  median %6.2f ms  fastest %6.2f ms\n", request.label,
                    view.rows, static_cast<long long>(state.FilesSearchedCount), median(times),
                    *std::min_element(times.begin(), times.end()));
    }
    return 0;
}
