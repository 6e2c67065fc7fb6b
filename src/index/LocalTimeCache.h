#pragma once
#include <array>
#include <cstdint>
#include <ctime>

#include "core/DateText.h"

namespace zephrix {

// Local calendar time of file dates without a localtime_r call per file: the
// offset from UTC is looked up once per day and kept in a table that covers
// decades, so a walk over a million files converts with integer arithmetic.
// A day in which the offset changes is converted the slow way.
class LocalTimeCache {
  public:
    LocalDateTime convert(std::time_t seconds);

  private:
    struct Slot {
        int64_t day = INT64_MIN;
        int32_t offset = 0;
        bool steady = false; // one offset for the whole day
    };
    // 16384 days are 44 years: file dates rarely share a slot.
    std::array<Slot, 16384> slots_{};
};

// The calendar date and clock time of seconds counted in local time.
LocalDateTime civilFromLocalSeconds(int64_t localSeconds);

} // namespace zephrix
