#include "core/EngineError.h"

#include <cstring>

namespace zephrix {

EngineError EngineError::fromErrno(int err, const std::string& context)
{
    std::string text = std::strerror(err);
    if (!context.empty())
        text += ": " + context;
    return {err, text};
}

} // namespace zephrix
