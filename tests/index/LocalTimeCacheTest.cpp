#include "index/LocalTimeCache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace zephrix;

namespace {

// Runs the body with TZ set, then puts the old zone back.
class ZoneScope {
  public:
    explicit ZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            saved_ = old, hadZone_ = true;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope()
    {
        if (hadZone_)
            ::setenv("TZ", saved_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

  private:
    std::string saved_;
    bool hadZone_ = false;
};

std::string rawDate(const LocalDateTime& when)
{
    char buffer[MaxDateTextLength];
    return std::string(buffer, writeDateText(buffer, when));
}

} // namespace

TEST(LocalTimeCache, AgreesWithTheCLibraryAcrossZonesAndTransitions)
{
    struct Case {
        const char* zone;
        std::time_t around; // a moment near a change of offset
    } cases[] = {
        {"UTC0", 1700000000},
        {"America/New_York", 1710054000},    // spring forward 2024-03-10 07:00 UTC
        {"America/New_York", 1730613600},    // fall back 2024-11-03 06:00 UTC
        {"Europe/Berlin", 1711846800},       // 2024-03-31 01:00 UTC
        {"Australia/Lord_Howe", 1712415600}, // a half-hour change
        {"Asia/Kolkata", 1000000000},
        {"America/St_Johns", 1699164000},
    };
    std::mt19937_64 random(7);
    for (const auto& c : cases) {
        ZoneScope zone(c.zone);
        LocalTimeCache cache;
        std::vector<std::time_t> moments;
        for (int delta = -7200; delta <= 7200; delta += 97)
            moments.push_back(c.around + delta);
        for (int i = 0; i < 2000; ++i)
            moments.push_back(static_cast<std::time_t>(random() % 4102444800ull) - 1000000000);
        moments.push_back(0);
        moments.push_back(-1);
        for (std::time_t moment : moments) {
            const LocalDateTime expected = toLocalDateTime(moment);
            const LocalDateTime cached = cache.convert(moment);
            ASSERT_EQ(formatDateText(cached), formatDateText(expected)) << c.zone << " " << moment;
            ASSERT_EQ(cached.second, expected.second) << c.zone << " " << moment;
        }
    }
}

TEST(LocalTimeCache, RawDateTextIsTheSharedForm)
{
    std::vector<LocalDateTime> dates = {
        {2005, 3, 1, 10, 15, 0},   {2026, 12, 5, 0, 0, 0}, {2026, 12, 5, 0, 0, 1}, {2026, 12, 5, 12, 0, 0},
        {1999, 1, 31, 23, 59, 59}, {1970, 1, 1, 0, 0, 0},  {999, 1, 1, 1, 1, 1},   {12345, 6, 7, 8, 9, 10},
        {-5, 1, 1, 13, 0, 0},      {1, 1, 1, 0, 0, 0},
    };
    std::mt19937_64 random(11);
    for (int i = 0; i < 5000; ++i)
        dates.push_back(
            LocalDateTime::fromLocalSeconds(static_cast<int64_t>(random() % 8000000000ull) - 3000000000ll));
    for (const auto& when : dates)
        ASSERT_EQ(rawDate(when), formatDateText(when)) << when.year << "-" << when.month << "-" << when.day;
}
