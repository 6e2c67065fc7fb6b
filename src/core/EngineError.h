#pragma once
#include <string>

namespace zephrix {

// A failure inside the engine: the error number (an errno value for system
// failures, one of ErrorNumbers otherwise) and its description.
struct EngineError {
    int number = 0;
    std::string description;

    // err is an errno value or ErrorNumbers::NotRegularFile.
    static EngineError fromErrno(int err, const std::string& context);
};

} // namespace zephrix
