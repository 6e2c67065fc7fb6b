#include "core/TextFold.h"

#include <random>

#include <gtest/gtest.h>

using namespace zephrix;

TEST(TextFold, FoldsCodePointsBySimpleFolding)
{
    struct Case {
        char32_t in;
        char32_t out;
    } cases[] = {
        {U'A', U'a'},
        {U'z', U'z'},
        {U'1', U'1'},
        {U'\u00C4', U'\u00E4'},         // A with diaeresis
        {U'\u00DF', U'\u00DF'},         // sharp s has only a full folding (ss)
        {U'\u1E9E', U'\u00DF'},         // capital sharp s
        {U'\u0130', U'\u0130'},         // dotted capital I: Turkish-only folding
        {U'\u212A', U'k'},              // Kelvin sign
        {U'\u017F', U's'},              // long s
        {U'\u03C2', U'\u03C3'},         // final sigma
        {U'\u1F88', U'\u1F80'},         // Greek with prosgegrammeni
        {U'\u0410', U'\u0430'},         // Cyrillic A
        {U'\U00010400', U'\U00010428'}, // Deseret
    };
    for (const auto& c : cases)
        EXPECT_EQ(foldCodePoint(c.in), c.out) << std::hex << uint32_t(c.in);
}

TEST(TextFold, ContainsIgnoringCase)
{
    struct Case {
        const char* haystack;
        const char* needle;
        bool found;
    } cases[] = {
        {"Report", "rep", true},
        {"Report", "PORT", true},
        {"Report", "ports", false},
        {"Report", "", true},
        {"", "a", false},
        {"a", "a", true},
        {"xxAbAbAc", "abac", true},
        {"Übersicht", "über", true},
        {"ÜBERSICHT", "übersicht", true},
        {"Straße", "STRASSE", false}, // no full folding
        {"\u212Aelvin", "kel", true}, // a non-ASCII letter folding to ASCII
        {"kelvin", "\u212A", true},
        {"Kelvin", "\u00E9", false},  // non-ASCII needle, ASCII haystack
        {"caf\xC3", "CAF\xC3", true}, // truncated sequence: compared as bytes
        {"caf\xC3", "caf\xC4", false},
        {"\xFF"
         "ABC",
         "abc", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(containsIgnoringCase(c.haystack, c.needle), c.found) << c.haystack << " / " << c.needle;
}

TEST(TextFold, EqualsPrefixSuffixIgnoringCase)
{
    struct Case {
        const char* text;
        const char* pattern;
        bool equal, prefix, suffix;
    } cases[] = {
        {"README", "readme", true, true, true},
        {"README", "read", false, true, false},
        {"README", "ME", false, false, true},
        {"README", "READMEX", false, false, false},
        {"Ärger", "äR", false, true, false},
        {"ÄRGER", "ärger", true, true, true},
        {"größe", "SSE", false, false, false},
        {"\u212A", "k", true, true, true},
        {"", "", true, true, true},
    };
    for (const auto& c : cases) {
        FoldedPattern p(c.pattern);
        EXPECT_EQ(p.equals(c.text), c.equal) << c.text << " / " << c.pattern;
        EXPECT_EQ(p.isPrefixOf(c.text), c.prefix) << c.text << " / " << c.pattern;
        EXPECT_EQ(p.isSuffixOf(c.text), c.suffix) << c.text << " / " << c.pattern;
    }
}

TEST(TextFold, LowerCasesForDisplay)
{
    EXPECT_EQ(lowerText("DOC"), "doc");
    EXPECT_EQ(lowerText("ÄÖÜ"), "äöü");
    EXPECT_EQ(lowerText("A\xFF"
                        "B"),
              "a\xFF"
              "b");
}

TEST(TextFold, AsciiDetection)
{
    EXPECT_TRUE(isAsciiText(""));
    EXPECT_TRUE(isAsciiText("a perfectly ordinary name.txt"));
    EXPECT_FALSE(isAsciiText("a perfectly ordinary name\x80.txt"));
    EXPECT_FALSE(isAsciiText("\xC3\xA4"));
}

TEST(TextFold, FoldsBlocksOfMixedText)
{
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ@[`{ abcdefghijklmnopqrstuvwxyz",
         "abcdefghijklmnopqrstuvwxyz@[`{ abcdefghijklmnopqrstuvwxyz"},
        {"INVOICE NUMBER Ä 42 ÖRE", "invoice number ä 42 öre"},
        {"\u023A\u023A\u023A", "\u2C65\u2C65\u2C65"}, // grows by half
        {"XXXXXXXX\xFF"
         "XXXXXXX\xC3",
         "xxxxxxxx\xFF"
         "xxxxxxx\xC3"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string out(foldedCapacity(c.in.size()), '\0');
        out.resize(foldBytes(c.in.data(), c.in.size(), out.data()));
        EXPECT_EQ(out, c.out) << c.in;
        EXPECT_EQ(foldText(c.in), c.out) << c.in;
    }
}

TEST(TextFold, ContainsAgreesWithFoldingBothSides)
{
    // Random names over a small alphabet, so that near-misses are common.
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"a", "B", "c", "Ä",    "ä",  "\u212A",
                                             "k", ".", "-", "\xFF", "Ab", "bC"};
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string haystack, needle;
        for (int i = random() % 30; i > 0; --i)
            haystack += pieces[random() % pieces.size()];
        for (int i = 1 + random() % 3; i > 0; --i)
            needle += pieces[random() % pieces.size()];
        const bool expected = foldText(haystack).find(foldText(needle)) != std::string::npos;
        found += expected;
        ASSERT_EQ(FoldedPattern(needle).isContainedIn(haystack), expected) << haystack << " / " << needle;
        ASSERT_EQ(containsIgnoringCase(haystack, needle), expected) << haystack << " / " << needle;
    }
    EXPECT_GT(found, 2000);
    EXPECT_LT(found, 18000);
}
