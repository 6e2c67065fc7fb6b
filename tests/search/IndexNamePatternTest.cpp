#include "search/IndexNamePattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "index/LoadedIndex.h"

using namespace zephrix;

namespace {

// A name as the loaded index holds it: followed by padding, here of bytes
// that would match if they were read as part of the name.
struct PaddedName {
    explicit PaddedName(const std::string& name, char fill = 'a')
        : text(name + std::string(LoadedIndex::NamePadding, fill))
    {
        length = name.size();
    }
    const char* data() const { return text.data(); }
    std::string text;
    size_t length;
};

bool contains(const std::string& name, const std::string& pattern, char fill = 'a')
{
    IndexNamePattern indexPattern;
    indexPattern.assign(foldText(pattern));
    const PaddedName padded(name, fill);
    return indexPattern.isContainedInAscii(padded.data(), padded.length);
}

} // namespace

TEST(IndexNamePattern, FindsThePatternIgnoringAsciiCaseOnly)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool found;
    } cases[] = {
        {"Quarterly-Report", "quarterly", true},
        {"QUARTERLY", "quarterly", true},
        {"xquarterl", "quarterly", false},
        {"quarterl", "quarterly", false}, // the padding holds the missing 'y'
        {"", "a", false},
        {"abc", "", true},
        {"a", "a", true},
        {"b", "a", false},
        {"@[`{", "@[`{", true},
        {"`{", "@[", false}, // bytes one case bit apart that are no letters
        {"@[", "`{", false},
        {"report_2024", "T_2", true},
        {"report_2024", "t-2", false},
        {"0123456789abcdefXYZ", "fxy", true},
        {"0123456789abcdeXfYZ", "fxy", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "aab", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "aab", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.pattern);
        EXPECT_EQ(contains(c.name, c.pattern, 'y'), c.found);
        EXPECT_EQ(contains(c.name, c.pattern, 'b'), c.found);
    }
}

TEST(IndexNamePattern, AgreesWithTheGeneralSearchOnManyNames)
{
    std::mt19937 random(7);
    const std::string letters = "aAbBzZ-._09";
    auto text = [&](size_t length) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s.push_back(letters[random() % letters.size()]);
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string name = text(random() % 48);
        const std::string pattern = foldText(text(1 + random() % 20));
        const bool expected = findAsciiIgnoringCase(name, pattern) != std::string::npos;
        ASSERT_EQ(contains(name, pattern), expected) << name << " / " << pattern;
    }
}

TEST(IndexNamePattern, MatchesAtAPlace)
{
    struct Case {
        const char* at;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"Report", "report", true},
        {"REPORTS", "report", true}, // only the pattern's length counts
        {"repor", "report", false},  // the padding (x) is no match
        {"r3port", "r#port", false},
        {"0123456789abcdefGHIJ", "0123456789ABCDEFghij", true},
        {"0123456789abcdefGHIK", "0123456789ABCDEFghij", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.at) + " / " + c.pattern);
        IndexNamePattern pattern;
        pattern.assign(foldText(c.pattern));
        ASSERT_TRUE(pattern.fits());
        EXPECT_EQ(pattern.matchesAt(PaddedName(c.at, 'x').data()), c.matches);
    }
    IndexNamePattern tooLong;
    tooLong.assign(std::string(257, 'a'));
    EXPECT_FALSE(tooLong.fits());
}

TEST(IndexNamePattern, LongPatterns)
{
    const std::string pattern(300, 'x');
    EXPECT_TRUE(contains("a" + std::string(300, 'X') + "b", pattern));
    EXPECT_FALSE(contains(std::string(299, 'x'), pattern));
    const std::string wide = "0123456789abcdef0123456789ABCDEF!";
    EXPECT_TRUE(contains("--" + wide + "--", foldText(wide)));
    EXPECT_FALSE(contains("--" + wide.substr(0, 32) + "?--", foldText(wide)));
}

TEST(IndexNameShape, LastDotAndAscii)
{
    struct Case {
        std::string name;
        size_t lastDot;
        bool ascii;
    } cases[] = {
        {"", 0, true},
        {"noext", 5, true},
        {"a.b.txt", 3, true},
        {".profile", 0, true},
        {"notes.", 5, true},
        {std::string(40, 'x') + ".c", 40, true},
        {"a." + std::string(40, 'x'), 1, true},
        {std::string(15, 'x') + "." + std::string(16, 'y'), 15, true},
        {"\xc3\x84rger.txt", 6, false},
        {std::string(30, 'x') + "\x80", 31, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Padding of dots and high bytes must not count.
        const PaddedName padded(c.name, '.');
        const PaddedName high(c.name, '\xff');
        for (const PaddedName* p : {&padded, &high}) {
            const IndexNameShape shape = shapeOfIndexName(p->data(), p->length);
            EXPECT_EQ(shape.lastDot, c.lastDot);
            EXPECT_EQ(shape.ascii, c.ascii);
        }
    }
}
