#include "index/LocalTimeCache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace zephrix;

TEST(LocalTimeCache, AgreesWithTheCLibraryAcrossZonesAndTheirChanges)
{
    const std::pair<const char*, std::time_t> cases[] = {
        {"UTC0", 1700000000},
        {"America/New_York", 1710054000},    // spring forward 2024-03-10 07:00 UTC
        {"America/New_York", 1730613600},    // fall back 2024-11-03 06:00 UTC
        {"Australia/Lord_Howe", 1712415600}, // a half-hour change
        {"America/St_Johns", 1699164000}};
    const std::string oldZone = std::getenv("TZ") ? std::getenv("TZ") : "";
    std::mt19937_64 random(7);
    for (const auto& [zone, around] : cases) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        LocalTimeCache cache;
        std::vector<std::time_t> moments = {0, -1};
        for (int delta = -7200; delta <= 7200; delta += 97) // around the change
            moments.push_back(around + delta);
        for (int i = 0; i < 2000; ++i)
            moments.push_back(std::time_t(random() % 4102444800ull) - 1000000000);
        for (std::time_t moment : moments) {
            std::tm t{};
            ::localtime_r(&moment, &t);
            const LocalDateTime got = cache.convert(moment);
            ASSERT_EQ((std::vector{got.year, got.month, got.day, got.hour, got.minute, got.second}),
                      (std::vector{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec}))
                << zone << " " << moment;
        }
    }
    if (oldZone.empty())
        ::unsetenv("TZ");
    else
        ::setenv("TZ", oldZone.c_str(), 1);
    ::tzset();
}
