#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

#include "search/SearchTexts.h"

using namespace zephrix;

TEST(SearchCriteria, TheDriveRuleComesFirstThenSomethingToFind)
{
    const std::vector<std::string> drive = {"/"};
    const std::pair<SearchCriteria, const char*> cases[] = {
        {{.drives = drive}, SearchTexts::NothingToSearchFor},
        {{.name = "x"}, SearchTexts::NoDrivesSelected},
        {{.name = "x", .scope = SearchScope::Folder}, nullptr}, // a folder search needs no drive
        {{.scope = SearchScope::Folder}, SearchTexts::NothingToSearchFor},
        {{.name = " ", .drives = drive}, nullptr},
        {{.fromDateText = "any", .drives = drive}, nullptr}, // only the picker's "Any" is nothing
        {{.sizeText = "", .drives = drive}, nullptr}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ValidateSearchCriteria(cases[i].first), cases[i].second) << "case " << i;
}

TEST(SearchCriteria, ANameWithAnExtensionIsSplitAtItsLastDotWithoutAType)
{
    for (auto [name, type, split] :
         {std::tuple<std::string, std::string, const char*>{"a.b.txt", "", "a.b|txt"},
          {"notes.", "", "notes|"},
          {".profile", "", "|profile"},
          {"README", "", "README|"},
          {"report.doc", "txt", "report.doc|txt"}}) {
        const std::string before = name;
        const bool rewritten = RewriteNameWithExtension(name, type);
        EXPECT_EQ(name + "|" + type, split) << before;
        EXPECT_EQ(rewritten, before != name) << before;
    }
}
