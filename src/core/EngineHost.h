#pragma once
#include <functional>
#include <string>

namespace zephrix {

// Lets long work keep its front end alive: the window passes a function that
// processes pending events, tests pass one that can press Cancel at an exact
// moment. Never null in an EngineHost; use a no-op where nothing is to be done.
using YieldFn = std::function<void()>;

// Where unexpected failures go: the window shows its error report, the command
// line prints to stderr, tests record them.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(int location, int number, const std::string& description) = 0;
};

} // namespace zephrix
