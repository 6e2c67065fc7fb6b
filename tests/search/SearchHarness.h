#pragma once
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "index/IndexContext.h"
#include "index/IndexingView.h"
#include "search/SearchDriver.h"
#include "search/SearchFrontEnd.h"
#include "support/IndexPair.h"
#include "support/RecordingReporter.h"
#include "support/TempTree.h"

namespace zephrix::test {

// The front end as builds and searches see it: calls noted as "control:value" (by objectName;
// "on"/"off" for timers, Search's enabled state, other controls' visibility), rows kept.
class RecordingView : public IndexingView,
                      public SearchRequestSource,
                      public SearchStatusView,
                      public ResultSink,
                      public SearchMessages {
  public:
    SearchFrontEnd frontEnd() { return {*this, *this, *this, *this}; }

    SearchCriteria criteria; // the request, read at the start and after every yield
    SearchOptions options;
    std::function<void(SearchCriteria&)> onReadCriteria = [](SearchCriteria&) {};
    std::vector<std::string> calls;
    std::function<void(const std::string& call)> onCall = [](const std::string&) {};
    std::vector<ResultRow> rows;

    // The values one control was given, in order; the last one ("" if none).
    std::vector<std::string> all(const std::string& control) const
    {
        std::vector<std::string> values;
        for (const auto& call : calls) {
            if (call.rfind(control + ":", 0) == 0)
                values.push_back(call.substr(control.size() + 1));
        }
        return values;
    }
    std::string last(const std::string& control) const
    {
        const auto values = all(control);
        return values.empty() ? "" : values.back();
    }
    // "control:value" of each of the blank-separated controls, joined by blanks.
    std::string states(const std::string& controls) const
    {
        std::istringstream names(controls);
        std::string out;
        for (std::string control; names >> control;)
            out += (out.empty() ? "" : " ") + control + ":" + last(control);
        return out;
    }

    void showIndexing() override { note("frmIndexing", "on"); }
    void hideIndexing() override { note("frmIndexing", "off"); }
    void setIndexingPath(const std::string& text) override { note("frmIndexing.lblPath", text); }
    void setIndexingStatus(const std::string& text) override { note("frmIndexing.lblStatus", text); }
    void setIndexingFilesFound(const std::string& text) override { note("frmIndexing.lblFilesFound", text); }
    void setIndexingDirectoriesFound(const std::string& t) override
    {
        note("frmIndexing.lblDirectoriesFound", t);
    }

    void readCriteria(SearchCriteria& out) override
    {
        onReadCriteria(criteria);
        out = criteria;
    }
    void readOptions(SearchOptions& out) override { out = options; }
    void setNameAndType(const std::string& name, const std::string& type) override
    {
        criteria.name = name;
        criteria.fileType = type;
        note("txtSearchFileName", name);
        note("txtSearchFileType", type);
    }
    void setSearchTime(const std::string& text) override { note("lblSearchTime", text); }
    void setFilesSearched(const std::string& text) override { note("lblFilesSearched", text); }
    void setFilesFound(const std::string& text) override { note("lblFilesFound", text); }
    void setNotes(const std::string& text) override { note("lblNotes", text); }
    void showResultsToolbar(bool full) override { note("toolbar", full ? "full" : "compact"); }
    void showResultsTab() override { note("fraResults", "on"); }
    void showIndexingWindow() override { note("frmIndexing", "on"); }
    void setSearchTimerRunning(bool on) override { note("tmrSearchTime", on ? "on" : "off"); }
    void setIndexerTimerRunning(bool on) override { note("tmrIndexer", on ? "on" : "off"); }
    void setSearchEnabled(bool on) override { note("cmdSearch", on ? "on" : "off"); }
    void setCancelSearchVisible(bool on) override { note("cmdCancelSearch", on ? "on" : "off"); }
    void setExpandResultsVisible(bool on) override { note("cmdExpandResults", on ? "on" : "off"); }
    void clearResults() override
    {
        rows.clear();
        note("lstSearchResults", "cleared");
    }
    void addResult(ResultRow&& row) override { rows.push_back(std::move(row)); }
    void displayError(const std::string& message) override { note("DisplayError", message); }
    void displayOk(const std::string& message) override { note("DisplayOk", message); }

  private:
    void note(const std::string& control, const std::string& value)
    {
        calls.push_back(control + ":" + value);
        onCall(calls.back());
    }
};

// An engine wired as the window wires it, with indexes of its own and a hookable yield.
struct SearchHarness {
    TempTree data;
    std::string indexes = data.at("indexes");
    IndexContext ctx;
    RecordingView view;
    RecordingReporter errors;
    SearchState state;
    SearchDriver driver{ctx, view.frontEnd(), state};
    int yields = 0;
    std::function<void()> onYield = [] {};

    SearchHarness()
    {
        data.dir("indexes");
        ctx.indexesDir = indexes;
        ctx.errors = &errors;
        ctx.indexingView = &view;
        ctx.yield = [this] {
            ++yields;
            auto hook = onYield; // may replace itself
            hook();
        };
        view.options.ShowFolders = false;
    }

    // Drives scope over roots, with the default inside-types list.
    void request(std::vector<std::string> roots, const std::string& name = {}, const std::string& type = {})
    {
        view.criteria = {};
        view.criteria.drives = std::move(roots);
        view.criteria.name = name;
        view.criteria.fileType = type;
        view.criteria.insideTypes = "txt doc html asp rtf";
    }
    void search() { driver.cmdSearch_Click(); }
    void search(std::vector<std::string> roots, const std::string& name = {}, const std::string& type = {})
    {
        request(std::move(roots), name, type);
        search();
    }
    // Presses Cancel Search at the first yield where when() holds.
    void cancelWhen(std::function<bool()> when)
    {
        auto pressed = std::make_shared<bool>(false);
        onYield = [this, when, pressed] {
            if (!*pressed && when()) {
                *pressed = true;
                driver.cmdCancelSearch_Click();
            }
        };
    }
    // The rows' full paths relative to root; folders end in '/'.
    std::vector<std::string> rowPaths(const std::string& root) const
    {
        std::vector<std::string> paths;
        for (const auto& row : view.rows)
            paths.push_back(row.fullPath().substr(row.fullPath().rfind(root, 0) == 0 ? root.size() : 0));
        return paths;
    }
};

} // namespace zephrix::test
