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
    std::vector<ErrorReportFields> shown;
    setErrorPresenter([&](const ErrorReportFields& fields) { shown.push_back(fields); });
    for (const auto& c : cases) {
        try {
            std::rethrow_exception(c.failure);
        } catch (...) {
            reportCurrentException(7139, " Position: 13");
        }
    }
    setErrorPresenter({});
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].ErrorLocation, 7139);
        EXPECT_EQ(shown[i].ErrorNumber, cases[i].number) << i;
        EXPECT_TRUE(shown[i].ErrorDescription.ends_with(" Position: 13")) << shown[i].ErrorDescription;
        if (cases[i].description)
            EXPECT_EQ(shown[i].ErrorDescription, cases[i].description);
    }
}
