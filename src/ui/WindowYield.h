#pragma once
#include <chrono>
#include <cstdint>

namespace zephrix {

// What the engine's yield does in the window. The engine yields often (every
// 100 entries examined, after every file accepted, every 1000 lines loaded,
// every 100 files built): running the event loop each time would cost more
// than the search. Pending events are processed only once MinimumGap has
// passed since the last turn; every other call is one look at the clock.
// The window thus keeps answering (a turn at least every few dozen
// milliseconds while the engine works) at a few dozen turns a second.
class WindowYield {
  public:
    static constexpr std::chrono::milliseconds MinimumGap{16};

    void operator()();

    // Turns of the event loop taken so far.
    int64_t turns() const { return turns_; }

  private:
    std::chrono::steady_clock::time_point lastTurn_{};
    int64_t turns_ = 0;
};

} // namespace zephrix
