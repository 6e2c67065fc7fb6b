#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "index/IndexContext.h"
#include "search/SearchDriver.h"
#include "support/IndexPair.h"
#include "support/RecordingReporter.h"
#include "support/RecordingView.h"
#include "support/TempTree.h"

namespace zephrix::test {

// An engine wired as the window wires it, with its indexes in a folder of
// its own and a yield the test can hook.
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
