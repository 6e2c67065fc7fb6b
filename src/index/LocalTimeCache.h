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
        int32_t day = INT32_MIN;
        int32_t offset = Unsteady; // seconds east of UTC, the same all day
    };
    // No UTC offset is this large: marks a day in which the offset changes.
    static constexpr int32_t Unsteady = INT32_MIN;
    // 16384 days are 44 years: file dates rarely share a slot, and eight
    // bytes a slot keep the table in the processor's cache.
    std::array<Slot, 16384> slots_{};
};

} // namespace zephrix
