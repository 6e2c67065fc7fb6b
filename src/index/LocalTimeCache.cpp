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

LocalDateTime civilFromLocalSeconds(int64_t localSeconds)
{
    // Howard Hinnant's civil-from-days: the inverse of the day numbering the
    // date texts use.
    const int64_t days = floorDiv(localSeconds, 86400);
    const int64_t secondOfDay = localSeconds - days * 86400;
    const int64_t z = days + 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2);

    LocalDateTime when;
    when.year = static_cast<int>(year);
    when.month = static_cast<int>(month);
    when.day = static_cast<int>(day);
    when.hour = static_cast<int>(secondOfDay / 3600);
    when.minute = static_cast<int>(secondOfDay / 60 % 60);
    when.second = static_cast<int>(secondOfDay % 60);
    return when;
}

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
    return civilFromLocalSeconds(static_cast<int64_t>(seconds) + slot.offset);
}

} // namespace zephrix
