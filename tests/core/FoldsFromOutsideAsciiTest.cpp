// The letters some character past ASCII folds to, found by folding every
// code point there is.
#include <gtest/gtest.h>

#include <string>

#include "core/TextFold.h"

using namespace zephrix;

TEST(FoldsFromOutsideAscii, NamesEveryAsciiFoldOfACharacterPastAscii)
{
    std::string reached;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const char32_t folded = foldCodePoint(c);
        if (folded < 0x80 && reached.find(char(folded)) == std::string::npos)
            reached.push_back(char(folded));
    }
    for (int c = 1; c < 0x80; ++c) {
        const std::string text(1, char(c));
        EXPECT_EQ(hasFoldsFromOutsideAscii(text), reached.find(char(c)) != std::string::npos) << c;
    }
    EXPECT_TRUE(hasFoldsFromOutsideAscii("report-sk"));
    EXPECT_FALSE(hasFoldsFromOutsideAscii("quarterly"));
    EXPECT_FALSE(hasFoldsFromOutsideAscii(""));
}
