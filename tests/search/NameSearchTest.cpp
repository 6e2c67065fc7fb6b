// The name test as the matcher runs it on the loaded index, whose names are
// compared in place a block at a time: every kind of name against the same
// test made on the folded texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TextFold.h"
#include "search/SearchHarness.h"

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

class NameSearch : public ::testing::Test {
  protected:
    void SetUp() override
    {
        root = tree.path() + "/";
        std::vector<StoredEntry> entries;
        for (const std::string& name : Names) {
            tree.file(name, "x");
            entries.push_back({name, 0, "1"});
        }
        writePair(h.indexes, root, IndexMode::Drive, {}, entries);
        h.view.options.ShowFolders = 0;
    }

    // The listed names whose base and extension pass the tests, each made on
    // the folded texts.
    template <typename Test> std::vector<std::string> expected(Test test) const
    {
        std::vector<std::string> rows;
        for (const std::string& name : Names) {
            if (name.front() == '.')
                continue; // hidden: never listed
            const size_t dot = name.rfind('.');
            const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
            const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
            if (test(foldText(base), foldText(extension)))
                rows.push_back(name);
        }
        return rows;
    }

    std::vector<std::string> search(const std::string& name, NameMatch match, const std::string& type = {})
    {
        h.view.criteria = onDrives({root});
        h.view.criteria.name = name;
        h.view.criteria.nameMatch = match;
        h.view.criteria.fileType = type;
        h.search();
        return h.rowPaths(root);
    }

    TempTree tree;
    std::string root;
    SearchHarness h;
};

TEST_F(NameSearch, ContainsAgreesWithFoldingBothSides)
{
    for (const char* pattern :
         {"quarterly", "REPORT", "report-s", "key", "K", "e", "t", "-", "rärger", "ärger",
          "report-seventeen-", "a-rather-long-name-with-report-at-its-very-end"}) {
        SCOPED_TRACE(pattern);
        const std::string folded = foldText(pattern);
        EXPECT_EQ(search(pattern, NameMatch::Contains),
                  expected([&](const std::string& base, const std::string&) {
                      return base.find(folded) != std::string::npos;
                  }));
    }
}

TEST_F(NameSearch, ExactlyStartsAndEndsAgreeWithFoldingBothSides)
{
    for (const char* pattern :
         {"quarterly", "QUARTERLY", "key-card", "KEY", "ey-card", "report", "REPORT-SIXTEEN-B",
          "report-seventeen-", "ärger-report", "Ärger", "no-extension", "t",
          "a-rather-long-name-with-report-at-its-very-end-report"}) {
        SCOPED_TRACE(pattern);
        const std::string folded = foldText(pattern);
        EXPECT_EQ(search(pattern, NameMatch::Exactly),
                  expected([&](const std::string& base, const std::string&) { return base == folded; }));
        EXPECT_EQ(
            search(pattern, NameMatch::StartsWith),
            expected([&](const std::string& base, const std::string&) { return base.starts_with(folded); }));
        EXPECT_EQ(
            search(pattern, NameMatch::EndsWith),
            expected([&](const std::string& base, const std::string&) { return base.ends_with(folded); }));
    }
}

TEST_F(NameSearch, TypesAgreeWithFoldingBothSides)
{
    for (const char* type : {"txt", "TXT", "xlsx", "t", "doc", "y", "pdf", "report"}) {
        SCOPED_TRACE(type);
        const std::string folded = foldText(type);
        EXPECT_EQ(
            search("", NameMatch::Contains, type),
            expected([&](const std::string&, const std::string& extension) { return extension == folded; }));
        EXPECT_EQ(search("e", NameMatch::Contains, type),
                  expected([&](const std::string& base, const std::string& extension) {
                      return extension == folded && base.find('e') != std::string::npos;
                  }));
    }
}
