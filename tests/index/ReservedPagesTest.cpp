#include "index/ReservedPages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace zephrix;

TEST(ReservedPages, CommitsWithinTheReservationAndKeepsWhatIsThere)
{
    struct Case {
        const char* what;
        size_t limit;
    } cases[] = {
        {"small pages", 10000},
        {"huge pages", size_t(5) << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReservedPages pages;
        ASSERT_TRUE(pages.reserve(c.limit));
        EXPECT_GE(pages.reserved(), c.limit);
        EXPECT_EQ(pages.committed(), 0u);

        ASSERT_TRUE(pages.commit(100));
        EXPECT_GE(pages.committed(), 100u);
        const char* const start = pages.data();
        std::memset(pages.data(), 'a', 100);

        ASSERT_TRUE(pages.commit(c.limit));
        EXPECT_EQ(pages.data(), start); // grown in place
        EXPECT_EQ(pages.data()[99], 'a');
        std::memset(pages.data(), 'b', c.limit);

        errno = 0;
        EXPECT_FALSE(pages.commit(pages.reserved() + 1));
        EXPECT_EQ(errno, ENOMEM);
    }
}

TEST(ReservedPages, TrimKeepsTheStartAndMovesHandOver)
{
    ReservedPages pages;
    ASSERT_TRUE(pages.reserve(size_t(8) << 20));
    ASSERT_TRUE(pages.commit(size_t(3) << 20));
    std::memset(pages.data(), 'x', size_t(3) << 20);
    pages.trim(1000);
    EXPECT_GE(pages.reserved(), 1000u);
    EXPECT_LT(pages.reserved(), size_t(8) << 20);
    EXPECT_EQ(pages.data()[999], 'x');

    ReservedPages moved(std::move(pages));
    EXPECT_EQ(pages.data(), nullptr);
    EXPECT_EQ(pages.reserved(), 0u);
    EXPECT_EQ(moved.data()[0], 'x');

    ReservedPages assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.data()[999], 'x');
    pages.trim(0);
    assigned.trim(0);
    EXPECT_EQ(assigned.data(), nullptr);
    EXPECT_EQ(assigned.reserved(), 0u);
}

TEST(ReservedPages, NothingReservedIsNothingHeld)
{
    ReservedPages pages;
    EXPECT_TRUE(pages.reserve(0));
    EXPECT_EQ(pages.data(), nullptr);
    EXPECT_TRUE(pages.commit(0));
    EXPECT_FALSE(pages.commit(1));
}
