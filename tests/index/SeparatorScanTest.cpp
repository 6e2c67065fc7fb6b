#include "index/SeparatorScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zephrix;

namespace {

std::vector<size_t> scanned(const std::string& text)
{
    std::vector<size_t> at;
    SeparatorScan scan(text.data(), text.data() + text.size());
    for (const char* p = scan.next(); p != text.data() + text.size(); p = scan.next())
        at.push_back(size_t(p - text.data()));
    return at;
}

std::vector<size_t> expected(const std::string& text)
{
    std::vector<size_t> at;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '|' || text[i] == '\n' || text[i] == '%')
            at.push_back(i);
    }
    return at;
}

} // namespace

TEST(SeparatorScan, FindsEverySeparatorInOrderAcrossBlocks)
{
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no separator", std::string(200, 'x')},
        {"one byte", "|"},
        {"only separators", std::string(130, '|')},
        {"a line", "name.txt|12|345|1/2/2003 4:05:06 AM|1/2/2003\r\n"},
        {"percent and bytes that look close", "a%25b|{}\x7d\x7b|\x0b\x0a\x09%"},
        {"separators at block edges",
         std::string(63, 'a') + "|" + "|" + std::string(62, 'b') + "\n|" + std::string(60, 'c') + "%"},
        {"last byte of a short tail", std::string(64 + 5, 'z') + "\n"},
        {"high bytes", "\xc3\xa4|\xff\xfe%\x80\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(scanned(c.text), expected(c.text));
    }
}

TEST(SeparatorScan, EveryLengthAndPosition)
{
    for (size_t length = 0; length <= 140; ++length) {
        for (size_t at = 0; at < length; at += 7) {
            std::string text(length, 'q');
            text[at] = '|';
            text[length - 1 - at / 2] = '\n';
            SCOPED_TRACE(std::to_string(length) + " " + std::to_string(at));
            EXPECT_EQ(scanned(text), expected(text));
        }
    }
}

TEST(SeparatorScan, StaysAtTheEndOnceThere)
{
    const std::string text = "a|b";
    SeparatorScan scan(text.data(), text.data() + text.size());
    EXPECT_EQ(scan.next(), text.data() + 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(scan.next(), text.data() + text.size());
}

TEST(SeparatorScan, CountsLineFeeds)
{
    struct Case {
        const char* what;
        std::string text;
        size_t lineFeeds;
    } cases[] = {
        {"empty", "", 0},
        {"short", "a\nb\n", 2},
        {"only line feeds, more than a counter holds", std::string(16 * 300 + 5, '\n'), 16 * 300 + 5},
        {"none", std::string(1000, '\r'), 0},
        {"sparse", std::string(4097, 'x') + "\n" + std::string(33, 'y') + "\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(countLineFeeds(c.text.data(), c.text.data() + c.text.size()), c.lineFeeds);
    }
}
