#pragma once
#include <exception>
#include <string>

#include "core/EngineError.h"

namespace zephrix {

// The error number and description of a caught exception: errno values for
// system errors and exhausted memory, "Invalid procedure call or argument"
// (5) for anything else.
EngineError describeException(std::exception_ptr failure);

// For a handler's catch block: reports the exception in flight with the
// handler's location code; `suffix` is appended to the description (such as
// " Position: 3").
void reportCurrentException(int location, const std::string& suffix = {});

} // namespace zephrix
