#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

#include "search/SearchTexts.h"

using namespace zephrix;

TEST(SearchCriteria, TheDriveRuleComesFirstThenSomethingToFind)
{
    const char* const noDrives = SearchTexts::NoDrivesSelected;
    const char* const nothing = SearchTexts::NothingToSearchFor;
    const std::vector<std::string> drive = {"/"};
    struct Case {
        SearchCriteria criteria;
        const char* message; // nullptr: the request may run
    } cases[] = {
        {{.drives = drive}, nothing},
        {{}, noDrives},
        {{.name = "x"}, noDrives},
        {{.name = "x", .scope = SearchScope::Folder}, nullptr},
        {{.scope = SearchScope::Folder}, nothing},
        {{.fileType = "doc", .drives = drive}, nullptr},
        {{.name = " ", .drives = drive}, nullptr},
        {{.insideText = "invoice", .drives = drive}, nullptr},
        {{.fromDateText = "any", .drives = drive}, nullptr}, // only "Any" as the picker writes it is nothing
        {{.toDateText = "01/10/2004", .drives = drive}, nullptr},
        {{.sizeText = "Small (Less than 100 KB)", .drives = drive}, nullptr},
        {{.sizeText = "", .drives = drive}, nullptr}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ValidateSearchCriteria(cases[i].criteria), cases[i].message) << "case " << i;
}

TEST(SearchCriteria, ANameWithAnExtensionIsSplitAtItsLastDotWithoutAType)
{
    struct Case {
        const char *name, *type, *newName, *newType;
    } cases[] = {{"report.doc", "", "report", "doc"},
                 {"a.b.txt", "", "a.b", "txt"},
                 {"notes.", "", "notes", ""},
                 {".profile", "", "", "profile"},
                 {"README", "", "README", ""},
                 {"report.doc", "txt", "report.doc", "txt"},
                 {"", "", "", ""}};
    for (const auto& c : cases) {
        std::string name = c.name, type = c.type;
        const bool rewritten = RewriteNameWithExtension(name, type);
        EXPECT_EQ(rewritten, name != c.name) << c.name;
        EXPECT_EQ(name + "|" + type, std::string(c.newName) + "|" + c.newType) << c.name;
    }
}
