#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "app/ErrorReport.h"
#include "app/HandlerFailure.h"
#include "core/ErrorCodes.h"

namespace {

using namespace zephrix;

struct ExceptionCase {
    const char* label;
    std::exception_ptr failure;
    int number;
    const char* description; // nullptr: not checked
};

TEST(HandlerFailure, ExceptionsBecomeErrorNumbers)
{
    const std::vector<ExceptionCase> cases = {
        {"memory", std::make_exception_ptr(std::bad_alloc()), ENOMEM, nullptr},
        {"system", std::make_exception_ptr(std::system_error(EACCES, std::generic_category(), "open /x")),
         EACCES, nullptr},
        {"logic", std::make_exception_ptr(std::out_of_range("row 7")), ErrorNumbers::InvalidArgument,
         "row 7"},
        {"not an exception", std::make_exception_ptr(42), ErrorNumbers::InvalidArgument,
         "Invalid procedure call or argument"},
    };
    for (const auto& c : cases) {
        const EngineError error = describeException(c.failure);
        EXPECT_EQ(error.number, c.number) << c.label;
        EXPECT_FALSE(error.description.empty()) << c.label;
        if (c.description)
            EXPECT_EQ(error.description, c.description) << c.label;
    }
}

TEST(HandlerFailure, CaughtExceptionIsReportedWithItsLocationAndPosition)
{
    std::vector<ErrorReportFields> shown;
    setErrorPresenter([&](const ErrorReportFields& f) { shown.push_back(f); });
    try {
        throw std::runtime_error("boom");
    } catch (...) {
        reportCurrentException(7139, " Position: 13");
    }
    setErrorPresenter({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].ErrorLocation, 7139);
    EXPECT_EQ(shown[0].ErrorNumber, ErrorNumbers::InvalidArgument);
    EXPECT_EQ(shown[0].ErrorDescription, "boom Position: 13");
}

} // namespace
