#pragma once
#include <array>
#include <cstdint>
#include <ctime>

#include "core/DateText.h"

namespace zephrix {

// Local calendar time of file dates without a localtime_r call per file: the
// offset from UTC is looked up once per clock hour and kept in a small table,
// so a walk over a million files with clustered dates converts with integer
// arithmetic. An hour in which the offset changes is converted the slow way.
class LocalTimeCache {
  public:
    LocalDateTime convert(std::time_t seconds);

  private:
    struct Slot {
        int64_t hour = INT64_MIN;
        int64_t offset = 0;
        bool steady = false; // one offset for the whole hour
    };
    std::array<Slot, 1024> slots_{};
};

// The calendar date and clock time of seconds counted in local time.
LocalDateTime civilFromLocalSeconds(int64_t localSeconds);

} // namespace zephrix
