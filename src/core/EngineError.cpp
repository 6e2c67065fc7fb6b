#include "core/EngineError.h"

#include <cstring>

#include "core/ErrorCodes.h"

namespace zephrix {

EngineError EngineError::fromErrno(int err, const std::string& context)
{
    std::string text = err == ErrorNumbers::NotRegularFile ? "Not a regular file" : std::strerror(err);
    if (!context.empty())
        text += ": " + context;
    return {err, text};
}

} // namespace zephrix
