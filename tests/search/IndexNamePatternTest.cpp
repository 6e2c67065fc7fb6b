// The block-at-a-time name tests on padded index names, against plain code on random names.
#include "search/IndexNamePattern.h"

#include <gtest/gtest.h>

#include <random>

#include "index/LoadedIndex.h"

using namespace zephrix;

TEST(IndexNamePattern, AgreesWithPlainCodeOnRandomNames)
{
    auto lower = [](std::string text) {
        for (char& c : text)
            c = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        return text;
    };
    std::mt19937 random(7);
    // Letters one case bit apart that are no letters ('@' '`', '[' '{'), dots, high bytes.
    const std::string alphabet = "aAbBzZ@`[{-._09\x80\xff";
    auto text = [&](size_t length, size_t letters) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s.push_back(alphabet[random() % letters]);
        return s;
    };
    for (int round = 0; round < 30000; ++round) {
        const size_t length = round % 10 == 0 ? random() % 320 : random() % 48;
        const std::string name = text(length, alphabet.size() - (round % 3 ? 2 : 0));
        const std::string pattern =
            lower(text(round % 50 == 0 ? 250 + random() % 70 : 1 + random() % 20, 15));
        // The index follows each name with padding; here bytes that would match.
        const std::string padded = name + std::string(LoadedIndex::NamePadding, pattern.back());
        IndexNamePattern tested;
        tested.assign(pattern);
        SCOPED_TRACE(name + " / " + pattern);

        const size_t dot = name.rfind('.');
        const std::string base = name.substr(0, dot);
        const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return c >= 0; });
        size_t lastDot = 0;
        const AsciiSearch inBase = tested.findInBase(padded.data(), name.size(), lastDot);
        if (ascii) {
            ASSERT_EQ(lastDot, dot == std::string::npos ? name.size() : dot);
            ASSERT_EQ(inBase == AsciiSearch::Found, lower(base).find(pattern) != std::string::npos);
            ASSERT_EQ(tested.isContainedInAscii(padded.data(), name.size()),
                      lower(name).find(pattern) != std::string::npos);
        } else {
            ASSERT_EQ(inBase, AsciiSearch::OtherByte);
        }
        if (tested.fits() && ascii) {
            ASSERT_EQ(tested.matchesAt(padded.data()), lower(padded.substr(0, pattern.size())) == pattern);
        }
        ASSERT_EQ(tested.fits(), pattern.size() <= 256);
    }
}
