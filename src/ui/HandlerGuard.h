#pragma once
#include <utility>

#include "app/HandlerFailure.h"

namespace zephrix {

// Runs a handler's body; an unexpected failure is reported with the
// handler's location code and the handler leaves.
template <class Body> void guarded(int location, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        reportCurrentException(location);
    }
}

} // namespace zephrix
