#include "core/TextFold.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <locale.h>
#include <random>

using namespace zephrix;

TEST(TextFold, FoldsCodePointsBySimpleFolding)
{
    // Simple folding only: sharp s keeps itself (its folding is the full one,
    // ss), so does the dotted capital I (Turkish only); the Kelvin sign and
    // the long s fold to ASCII letters.
    const std::u32string from = U"Az1\u00C4\u00DF\u1E9E\u0130\u212A\u017F\u03C2\u1F88\u0410\U00010400";
    const std::u32string to = U"az1\u00E4\u00DF\u00DF\u0130ks\u03C3\u1F80\u0430\U00010428";
    for (size_t i = 0; i < from.size(); ++i)
        EXPECT_EQ(foldCodePoint(from[i]), to[i]) << std::hex << uint32_t(from[i]);
}

namespace {

// Folds each character decoded by the C library; bytes that are no UTF-8 stay.
std::string foldedPlainly(const std::string& text)
{
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t previous = ::uselocale(utf8);
    std::string out;
    for (size_t i = 0; i < text.size();) {
        std::mbstate_t state{};
        wchar_t c = 0;
        const size_t n = std::mbrtowc(&c, text.data() + i, text.size() - i, &state);
        if (n == 0 || n > 4) {
            out.push_back(text[i++]);
            continue;
        }
        char encoded[8];
        state = {};
        out.append(encoded, std::wcrtomb(encoded, wchar_t(foldCodePoint(char32_t(c))), &state));
        i += n;
    }
    ::uselocale(previous);
    return out;
}

} // namespace

TEST(TextFold, FastPathsAgreeWithFoldingEachCharacter)
{
    // A small alphabet (near-misses are common), long ASCII runs, letters that
    // grow when folded, Kelvin, bytes that are no UTF-8, sequences cut short.
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {
        "a",    "B",    "c",  "Ä",  "ä",      "\u212A",           "k",    "K",      ".",
        "\xFF", "\xC3", "Ab", "bC", "\u023A", "ABCDEFGHIJKLMNOP", "@[`{", "\u1E9E", "ß"};
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string haystack, needle;
        for (int i = random() % 30; i > 0; --i)
            haystack += pieces[random() % pieces.size()];
        for (int i = 1 + random() % 3; i > 0; --i)
            needle += pieces[random() % pieces.size()];
        SCOPED_TRACE(haystack + " / " + needle);
        const std::string foldedHaystack = foldedPlainly(haystack), foldedNeedle = foldedPlainly(needle);
        ASSERT_EQ(foldText(haystack), foldedHaystack);
        std::string out(foldedCapacity(haystack.size()), '\0');
        out.resize(foldBytes(haystack.data(), haystack.size(), out.data()));
        ASSERT_EQ(out, foldedHaystack);

        const bool contained = foldedHaystack.find(foldedNeedle) != std::string::npos;
        found += contained;
        const FoldedPattern pattern(needle);
        ASSERT_EQ(pattern.isContainedIn(haystack), contained);
        ASSERT_EQ(containsIgnoringCase(haystack, needle), contained);
        ASSERT_EQ(pattern.equals(haystack), foldedHaystack == foldedNeedle);
        ASSERT_EQ(equalsIgnoringCase(haystack, needle), foldedHaystack == foldedNeedle);
        ASSERT_EQ(pattern.isPrefixOf(haystack), foldedHaystack.starts_with(foldedNeedle));
        ASSERT_EQ(pattern.isSuffixOf(haystack), foldedHaystack.ends_with(foldedNeedle));
    }
    EXPECT_TRUE(found > 2000 && found < 18000) << found;
}
