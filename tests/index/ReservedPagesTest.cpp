#include "index/ReservedPages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace zephrix;

// The loader's tables grow inside one reservation; the loads of the other
// tests stay within their first commit, so growth is tested here.
TEST(ReservedPages, GrowInPlaceKeepingWhatIsThereUpToTheReservation)
{
    for (size_t limit : {size_t(10000), size_t(5) << 20}) { // small pages, huge pages
        ReservedPages pages;
        ASSERT_TRUE(pages.reserve(limit) && pages.commit(100));
        std::memset(pages.data(), 'a', 100);
        const char* const start = pages.data();
        ASSERT_TRUE(pages.commit(limit));
        EXPECT_EQ(pages.data(), start);
        EXPECT_EQ(pages.data()[99], 'a');
        std::memset(pages.data(), 'b', limit); // all of it writable
        errno = 0;
        EXPECT_FALSE(pages.commit(pages.reserved() + 1));
        EXPECT_EQ(errno, ENOMEM);
        pages.trim(1000);
        EXPECT_EQ(pages.data()[999], 'b');
    }
}
