#include "app/HandlerFailure.h"

#include <cerrno>
#include <new>
#include <system_error>

#include "app/ErrorReport.h"
#include "core/ErrorCodes.h"

namespace zephrix {

EngineError describeException(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return EngineError::fromErrno(ENOMEM, {});
    } catch (const std::system_error& error) {
        return {error.code().value(), error.what()};
    } catch (const std::exception& error) {
        return {ErrorNumbers::InvalidArgument, error.what()};
    } catch (...) {
        return {ErrorNumbers::InvalidArgument, "Invalid procedure call or argument"};
    }
}

void reportCurrentException(int location, const std::string& suffix)
{
    const EngineError error = describeException(std::current_exception());
    ReportError(location, error.number, error.description + suffix);
}

} // namespace zephrix
