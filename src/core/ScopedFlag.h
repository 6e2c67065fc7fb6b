#pragma once

namespace zephrix {

// Sets a flag for as long as it is on the stack and clears it however the
// scope is left: a handler that must know whether it is already running
// (it may be entered again through the yields of its own long work).
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

} // namespace zephrix
