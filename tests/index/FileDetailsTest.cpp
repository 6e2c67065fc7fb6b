#include "index/FileDetails.h"
#include "index/LocalTimeCache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "support/AsNobody.h"
#include "support/IndexPair.h"
#include "support/RecordingReporter.h"

using namespace zephrix;
using namespace zephrix::test;

TEST(GetFileDetails, SizeCreatedAndModifiedOrDeleted)
{
    TempTree tree;
    RecordingReporter reporter;
    const std::time_t before = std::time(nullptr);
    tree.file("note.txt", "twelve bytes");
    tree.touch("note.txt", localTime(2005, 3, 2, 16, 30, 10));
    tree.symlink("note.txt", "link"); // a link's own details
    tree.touch("link", localTime(2026, 12, 5));
    tree.file("plain");
    // size|created|modified; created is the birth time (now), or the modified time without one.
    for (const auto& [name, size, modified] :
         {std::tuple{"note.txt", "12|", "3/2/2005 4:30:10 PM"}, {"link", "8|", "12/5/2026"}}) {
        const std::string got = GetFileDetails(tree.at(name), &reporter);
        bool expected = got == size + std::string(modified) + "|" + modified;
        for (std::time_t t = before; t <= std::time(nullptr); ++t)
            expected |= got == size + dateText(t) + "|" + modified;
        EXPECT_TRUE(expected) << got;
    }
    for (const char* gone : {"gone.txt", "plain/below.txt"})
        EXPECT_EQ(GetFileDetails(tree.at(gone), &reporter), "|Deleted|Deleted");
    EXPECT_TRUE(reporter.reports.empty());

    // Any other failure is reported and gives nothing.
    tree.file("closed/inside.txt");
    tree.chmod("", 0755);
    tree.chmod("closed", 0700);
    EXPECT_EQ(runAsNobody([&] {
                  const bool nothing = GetFileDetails(tree.at("closed/inside.txt"), &reporter).empty();
                  const auto& r = reporter.reports;
                  return nothing && r.size() == 1 && r[0].location == 9060 && r[0].number == EACCES ? 0 : 1;
              }),
              0);
}

TEST(LocalTimeCache, AgreesWithTheCLibraryAcrossZonesAndTheirChanges)
{
    const std::pair<const char*, std::time_t> cases[] = {
        {"America/New_York", 1710054000},    // spring forward 2024-03-10 07:00 UTC
        {"America/New_York", 1730613600},    // fall back 2024-11-03 06:00 UTC
        {"Australia/Lord_Howe", 1712415600}, // a half-hour change
    };
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
