// The name test as the matcher runs it on the loaded index, whose names are
// compared in place a block at a time: every kind of name against the same
// test made on the folded texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/SearchHarness.h"
#include "search/TextFold.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

const std::vector<std::string> Names = {
    "Quarterly-Report-2024.xlsx",
    "QUARTERLY.pdf",
    "quarterl.y",
    "xQuArTeRlYx",
    "report_15_bytes.txt",
    "report-sixteen-b.txt",
    "report-seventeen-.txt",
    "a-rather-long-name-with-report-at-its-very-end-report",
    "\xe2\x84\xaa"
    "ey-card.txt", // KELVIN SIGN, which folds to 'k'
    "Key-ring.txt",
    "\xc3\x84rger-Report.doc",
    "no-extension",
    ".report",
    "report.",
    "r.e.p.o.r.t",
    "dots.in.report.name.txt",
};

} // namespace

TEST(NameSearch, ContainsAgreesWithFoldingBothSides)
{
    TempTree tree;
    const std::string root = tree.path() + "/";
    std::vector<StoredEntry> entries;
    for (const std::string& name : Names) {
        tree.file(name, "x");
        entries.push_back({name, 0, "1"});
    }
    SearchHarness h;
    writePair(h.indexes, root, 0, {}, entries);
    h.view.options.ShowFolders = 0;

    for (const char* pattern :
         {"quarterly", "REPORT", "report-s", "key", "K", "e", "t", "-", "rärger", "ärger",
          "report-seventeen-", "a-rather-long-name-with-report-at-its-very-end"}) {
        SCOPED_TRACE(pattern);
        std::vector<std::string> expected;
        for (const std::string& name : Names) {
            if (name.front() == '.')
                continue; // hidden: never listed
            const size_t dot = name.rfind('.');
            const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
            if (foldText(base).find(foldText(pattern)) != std::string::npos)
                expected.push_back(name);
        }
        h.view.criteria = onDrives({root});
        h.view.criteria.name = pattern;
        h.search();
        EXPECT_EQ(h.rowPaths(root), expected);
    }
}
