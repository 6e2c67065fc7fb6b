#include <gtest/gtest.h>

#include "app/WholeNumber.h"

TEST(WholeNumber, ReadsStoredOptionTextsRoundingHalvesToEven)
{
    // clang-format off
    const std::pair<const char*, int> numbers[] = {{"0", 0}, {"12", 12}, {" 1 ", 1}, {"\t3", 3}, {"+4", 4},
        {"-1", -1}, {"007", 7}, {"1.4", 1}, {"1.6", 2}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2}, {"-2.5", -2}, {".7", 1},
        {"3.", 3}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    // clang-format on
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(zephrix::parseWholeNumber(text), value) << '"' << text << '"';
    for (const char* text : {"", " ", "yes", "True", "1a", "1 2", "--1", "-", ".", "1.2.3", "2147483648",
                             "99999999999999999999", "0x10", "1e3"})
        EXPECT_EQ(zephrix::parseWholeNumber(text), std::nullopt) << '"' << text << '"';
}
