// The 64-byte block scan for '|', LF and '%' and the line-feed count,
// against plain byte-by-byte code.
#include "index/SeparatorScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace zephrix;

TEST(SeparatorScan, AgreesWithPlainCodeAtEveryLengthAndPosition)
{
    std::mt19937 random(5);
    const std::string alphabet = "ab|\n%\r{}\x0b\x7c\x7d\xff\x80"; // and bytes one bit away from the three
    for (int round = 0; round < 20000; ++round) {
        const size_t length = round < 300 ? size_t(round) : random() % 5000;
        std::string text(length, 'q');
        const int density = 1 + int(random() % 60);
        for (auto& c : text)
            c = random() % density ? 'x' : alphabet[random() % alphabet.size()];
        std::vector<size_t> expected, scanned;
        for (size_t i = 0; i < length; ++i) {
            if (text[i] == '|' || text[i] == '\n' || text[i] == '%')
                expected.push_back(i);
        }
        SeparatorScan scan(text.data(), text.data() + length);
        for (const char* p = scan.next(); p != text.data() + length; p = scan.next())
            scanned.push_back(size_t(p - text.data()));
        ASSERT_EQ(scanned, expected) << "round " << round;
        ASSERT_EQ(scan.next(), text.data() + length); // stays at the end
        ASSERT_EQ(countLineFeeds(text.data(), text.data() + length),
                  size_t(std::count(text.begin(), text.end(), '\n')));
    }
    const std::string lineFeeds(16 * 300 + 5, '\n'); // more than a byte counter holds
    EXPECT_EQ(countLineFeeds(lineFeeds.data(), lineFeeds.data() + lineFeeds.size()), lineFeeds.size());
}
