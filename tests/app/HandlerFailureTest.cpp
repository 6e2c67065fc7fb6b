#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#include "app/ErrorReport.h"
#include "app/HandlerFailure.h"

using namespace zephrix;

TEST(HandlerFailure, ACaughtExceptionIsReportedWithItsNumberLocationAndPosition)
{
    struct Case {
        std::exception_ptr failure;
        int number;
        const char* description;
    } cases[] = {{std::make_exception_ptr(std::bad_alloc()), ENOMEM, nullptr},
                 {std::make_exception_ptr(std::system_error(EACCES, std::generic_category(), "open /x")),
                  EACCES, nullptr},
                 {std::make_exception_ptr(std::out_of_range("row 7")), 5, "row 7 Position: 13"},
                 {std::make_exception_ptr(42), 5, "Invalid procedure call or argument Position: 13"}};
    for (const auto& c : cases) {
        std::vector<ErrorReportFields> shown;
        setErrorPresenter([&](const ErrorReportFields& fields) { shown.push_back(fields); });
        try {
            std::rethrow_exception(c.failure);
        } catch (...) {
            reportCurrentException(7139, " Position: 13");
        }
        setErrorPresenter({});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].ErrorLocation, 7139);
        EXPECT_EQ(shown[0].ErrorNumber, c.number);
        EXPECT_TRUE(c.description ? shown[0].ErrorDescription == c.description
                                  : shown[0].ErrorDescription.ends_with(" Position: 13"))
            << shown[0].ErrorDescription;
    }
}
