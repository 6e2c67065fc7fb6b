#include "search/SearchCriteria.h"
#include "search/SearchTexts.h"

#include <gtest/gtest.h>

using namespace zephrix;

namespace {

SearchCriteria onDrive()
{
    SearchCriteria c;
    c.drives = {"/"};
    return c;
}

} // namespace

TEST(SearchCriteriaValidation, RulesInOrder)
{
    struct Case {
        const char* what;
        SearchCriteria criteria;
        const char* message;
    };
    auto with = [](auto change) {
        SearchCriteria c = onDrive();
        change(c);
        return c;
    };
    const Case cases[] = {
        {"nothing at all", onDrive(), SearchTexts::NothingToSearchFor},
        {"no drive is checked first", with([](SearchCriteria& c) { c.drives.clear(); }),
         SearchTexts::NoDrivesSelected},
        {"no drive and nothing to find: the drive rule wins", with([](SearchCriteria& c) {
             c.drives.clear();
             c.name = "x";
         }),
         SearchTexts::NoDrivesSelected},
        {"folder scope skips the drive rule", with([](SearchCriteria& c) {
             c.drives.clear();
             c.scope = SearchScope::Folder;
             c.name = "x";
         }),
         nullptr},
        {"folder scope still needs something", with([](SearchCriteria& c) { c.scope = SearchScope::Folder; }),
         SearchTexts::NothingToSearchFor},
        {"type alone", with([](SearchCriteria& c) { c.fileType = "doc"; }), nullptr},
        {"name alone", with([](SearchCriteria& c) { c.name = " "; }), nullptr},
        {"inside text alone", with([](SearchCriteria& c) { c.insideText = "invoice"; }), nullptr},
        {"typed lower-case any is something", with([](SearchCriteria& c) { c.fromDateText = "any"; }),
         nullptr},
        {"to date", with([](SearchCriteria& c) { c.toDateText = "01/10/2004"; }), nullptr},
        {"size class", with([](SearchCriteria& c) { c.sizeText = "Small (Less than 100 KB)"; }), nullptr},
        {"empty size box is something", with([](SearchCriteria& c) { c.sizeText.clear(); }), nullptr},
    };
    for (const auto& c : cases) {
        const char* got = ValidateSearchCriteria(c.criteria);
        if (c.message == nullptr)
            EXPECT_EQ(got, nullptr) << c.what;
        else
            EXPECT_STREQ(got, c.message) << c.what;
    }
}

TEST(SearchCriteriaValidation, MessagesAreTheProgramsOwn)
{
    EXPECT_STREQ(
        SearchTexts::NoDrivesSelected,
        "You have not selected any drives to search on, please select a drive in the list by placing "
        "a checkmark next to it's name.  If you only want to search a single folder, select the "
        "option button below the large drives list that says \"Search In This Folder\"");
    EXPECT_STREQ(SearchTexts::NothingToSearchFor,
                 "You have not specified anything for me to search for, please specify at least 1 criteria "
                 "for the file you are trying to find.");
}

TEST(SearchCriteriaRewrite, SplitsAtTheLastDotOnlyWithoutAType)
{
    struct Case {
        const char* name;
        const char* type;
        bool rewritten;
        const char* newName;
        const char* newType;
    } cases[] = {
        {"report.doc", "", true, "report", "doc"},
        {"a.b.txt", "", true, "a.b", "txt"},
        {"notes.", "", true, "notes", ""},
        {".profile", "", true, "", "profile"},
        {"README", "", false, "README", ""},
        {"report.doc", "txt", false, "report.doc", "txt"},
        {"", "", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string name = c.name, type = c.type;
        EXPECT_EQ(RewriteNameWithExtension(name, type), c.rewritten) << c.name;
        EXPECT_EQ(name, c.newName) << c.name;
        EXPECT_EQ(type, c.newType) << c.name;
    }
}
