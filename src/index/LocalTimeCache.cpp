#include "index/LocalTimeCache.h"

namespace zephrix {
namespace {

int64_t floorDiv(int64_t value, int64_t divisor)
{
    int64_t quotient = value / divisor;
    if ((value % divisor != 0) && ((value < 0) != (divisor < 0)))
        --quotient;
    return quotient;
}

// Offset from UTC at that moment; 0 when the C library cannot convert it.
int64_t utcOffsetAt(std::time_t seconds)
{
    std::tm tm{};
    if (!localtime_r(&seconds, &tm))
        return 0;
    return tm.tm_gmtoff;
}

} // namespace

LocalDateTime LocalTimeCache::convert(std::time_t seconds)
{
    const int64_t day = floorDiv(seconds, 86400);
    // Days beyond 32 bits (five million years) are left to the C library.
    if (day <= INT32_MIN || day > INT32_MAX)
        return toLocalDateTime(seconds);
    Slot& slot = slots_[static_cast<uint64_t>(day) % slots_.size()];
    if (slot.day != day) {
        const std::time_t start = static_cast<std::time_t>(day * 86400);
        const int64_t offset = utcOffsetAt(start);
        slot.day = static_cast<int32_t>(day);
        slot.offset = offset == utcOffsetAt(start + 86399) ? static_cast<int32_t>(offset) : Unsteady;
    }
    if (slot.offset == Unsteady)
        return toLocalDateTime(seconds);
    return LocalDateTime::fromLocalSeconds(static_cast<int64_t>(seconds) + slot.offset);
}

} // namespace zephrix
