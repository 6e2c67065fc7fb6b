#include "core/DateText.h"

#include <gtest/gtest.h>

using namespace zephrix;

TEST(DateText, FormatsTheFixedForm)
{
    struct Case {
        LocalDateTime when;
        const char* text;
    } cases[] = {
        {{2005, 3, 1, 10, 15, 0}, "3/1/2005 10:15:00 AM"},
        {{2005, 3, 2, 16, 30, 10}, "3/2/2005 4:30:10 PM"},
        {{2026, 12, 5, 0, 0, 0}, "12/5/2026"},
        {{2026, 12, 5, 0, 0, 1}, "12/5/2026 12:00:01 AM"},
        {{2026, 12, 5, 12, 0, 0}, "12/5/2026 12:00:00 PM"},
        {{2026, 1, 31, 23, 59, 59}, "1/31/2026 11:59:59 PM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDateText(c.when), c.text);
        auto back = parseDateText(c.text);
        ASSERT_TRUE(back) << c.text;
        EXPECT_EQ(back->hourNumber(), c.when.hourNumber()) << c.text;
        EXPECT_EQ(back->minute, c.when.minute) << c.text;
        EXPECT_EQ(back->second, c.when.second) << c.text;
    }
}

TEST(DateText, ReadsPickerDatesAndRejectsTheRest)
{
    auto picked = parseDateText("01/10/2004");
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->year, 2004);
    EXPECT_EQ(picked->month, 1);
    EXPECT_EQ(picked->day, 10);
    EXPECT_TRUE(parseDateText("2/29/2024"));
    EXPECT_TRUE(parseDateText("13:05:00") == std::nullopt);
    for (const char* bad : {"", "any", "Any", "2/30/2024", "13/1/2004", "1/1/2004 13:00:00 PM",
                            "1/1/2004 10:61:00 AM", "1/1/2004x", "1//2004", "1/1/2004 10:00:00 XM"})
        EXPECT_FALSE(parseDateText(bad)) << bad;
}

TEST(DateText, HourNumbersCountClockBoundaries)
{
    const LocalDateTime before{2026, 12, 5, 9, 59, 0};
    const LocalDateTime after{2026, 12, 5, 10, 1, 0};
    EXPECT_EQ(after.hourNumber() - before.hourNumber(), 1);
    const LocalDateTime nextDay{2026, 12, 6, 0, 0, 0};
    const LocalDateTime lastHour{2026, 12, 5, 23, 0, 0};
    EXPECT_EQ(nextDay.hourNumber() - lastHour.hourNumber(), 1);
    const LocalDateTime monthBefore{2026, 11, 6};
    EXPECT_EQ(nextDay.dayNumber() - monthBefore.dayNumber(), 30);
}
