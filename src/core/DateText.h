#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace zephrix {

// Calendar date and clock time in local time, as stored in index files and
// typed into the date boxes.
struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;

    // Days since 1970-01-01 of the calendar date, for comparisons by day.
    int64_t dayNumber() const;
    // Clock hours since 1970-01-01 00:00 of the calendar time: the difference
    // of two of these counts hour boundaries, not elapsed hours.
    int64_t hourNumber() const;
    // Seconds since 1970-01-01 00:00 of the calendar time, with no time zone
    // arithmetic: a sortable, compact form of the stored date texts.
    int64_t localSeconds() const;
    static LocalDateTime fromLocalSeconds(int64_t seconds);
};

LocalDateTime toLocalDateTime(std::time_t seconds);
LocalDateTime nowLocal();

// The one date form of the program: M/D/YYYY h:mm:ss AM (local time), with the
// time left out at exactly midnight.
std::string formatDateText(const LocalDateTime& when);
std::string formatDateText(std::time_t seconds);
// The same text written straight into a buffer with room for
// MaxDateTextLength bytes, for the walk, which writes two per file; returns
// the end of what it wrote. Any field values fit, out of range or not.
constexpr size_t MaxDateTextLength = 6 * 11 + 8;
char* writeDateText(char* out, const LocalDateTime& when);
// Appends to out without allocating when out has room.
void appendDateText(std::string& out, const LocalDateTime& when);

// Reads that form, a date alone (M/D/YYYY or the pickers' mm/dd/yyyy), or a
// date with a 24-hour time. Anything else, out-of-range fields included,
// is not a date.
std::optional<LocalDateTime> parseDateText(std::string_view text);

} // namespace zephrix
