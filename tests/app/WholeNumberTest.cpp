#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/WholeNumber.h"

namespace {

struct NumberCase {
    std::string text;
    std::optional<int> expected;
};

TEST(WholeNumber, ReadsStoredOptionTexts)
{
    const std::vector<NumberCase> cases = {
        {"0", 0},
        {"1", 1},
        {"12", 12},
        {" 1 ", 1},
        {"\t3", 3},
        {"+4", 4},
        {"-1", -1},
        {"007", 7},
        {"1.0", 1},
        {"1.4", 1},
        {"1.6", 2},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"-2.5", -2},
        {".7", 1},
        {"3.", 3},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"yes", std::nullopt},
        {"True", std::nullopt},
        {"1a", std::nullopt},
        {"1 2", std::nullopt},
        {"--1", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1.2.3", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x10", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zephrix::parseWholeNumber(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
