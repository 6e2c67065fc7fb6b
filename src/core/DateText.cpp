#include "core/DateText.h"

#include <charconv>
#include <cstring>

#include "core/DecimalText.h"

namespace zephrix {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's
// well-known civil-date arithmetic).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// The inverse: the proleptic Gregorian date of a day number.
void civilFromDays(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// A field with at least minDigits (1 or 2) digits. Nearly every field is
// 0..99, which takes a table lookup rather than a division loop; any other
// value is written in full, sign and all.
inline char* writeField(char* out, int value, int minDigits)
{
    if (value >= 0 && value < 100) {
        if (value < 10 && minDigits < 2) {
            *out = static_cast<char>('0' + value);
            return out + 1;
        }
        return writeTwoDigits(out, static_cast<unsigned>(value));
    }
    return std::to_chars(out, out + 11, value).ptr;
}

inline char* writeYear(char* out, int year)
{
    if (year >= 1000 && year <= 9999)
        return writeTwoDigits(writeTwoDigits(out, unsigned(year / 100)), unsigned(year % 100));
    char digits[11];
    const char* const end = std::to_chars(digits, digits + sizeof digits, year).ptr;
    for (auto length = end - digits; length < 4; ++length)
        *out++ = '0';
    std::memcpy(out, digits, size_t(end - digits));
    return out + (end - digits);
}

// Reads the run of one to maxDigits digits at pos, advancing pos. A step of
// the date reader rather than a whole field, so it reads as it scans: the
// matcher reads a date per candidate entry.
bool readNumber(std::string_view text, size_t& pos, int& value, int maxDigits)
{
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < size_t(maxDigits))
        value = value * 10 + (text[pos++] - '0');
    return pos > start && (pos == text.size() || text[pos] < '0' || text[pos] > '9');
}

bool expect(std::string_view text, size_t& pos, char c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

int64_t LocalDateTime::dayNumber() const
{
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

int64_t LocalDateTime::hourNumber() const
{
    return dayNumber() * 24 + hour;
}

int64_t LocalDateTime::localSeconds() const
{
    return dayNumber() * 86400 + int64_t(hour) * 3600 + minute * 60 + second;
}

LocalDateTime LocalDateTime::fromLocalSeconds(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    LocalDateTime when;
    civilFromDays(days, when.year, when.month, when.day);
    when.hour = static_cast<int>(rest / 3600);
    when.minute = static_cast<int>(rest / 60 % 60);
    when.second = static_cast<int>(rest % 60);
    return when;
}

LocalDateTime toLocalDateTime(std::time_t seconds)
{
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

LocalDateTime nowLocal()
{
    return toLocalDateTime(std::time(nullptr));
}

char* writeDateText(char* out, const LocalDateTime& when)
{
    out = writeField(out, when.month, 1);
    *out++ = '/';
    out = writeField(out, when.day, 1);
    *out++ = '/';
    out = writeYear(out, when.year);
    if (when.hour == 0 && when.minute == 0 && when.second == 0)
        return out;
    *out++ = ' ';
    out = writeField(out, when.hour % 12 == 0 ? 12 : when.hour % 12, 1);
    *out++ = ':';
    out = writeField(out, when.minute, 2);
    *out++ = ':';
    out = writeField(out, when.second, 2);
    std::memcpy(out, when.hour < 12 ? " AM" : " PM", 3);
    return out + 3;
}

void appendDateText(std::string& out, const LocalDateTime& when)
{
    char text[MaxDateTextLength];
    out.append(text, writeDateText(text, when));
}

std::string formatDateText(const LocalDateTime& when)
{
    std::string out;
    appendDateText(out, when);
    return out;
}

std::string formatDateText(std::time_t seconds)
{
    return formatDateText(toLocalDateTime(seconds));
}

std::optional<LocalDateTime> parseDateText(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);

    LocalDateTime when;
    size_t pos = 0;
    if (!readNumber(text, pos, when.month, 2) || !expect(text, pos, '/') ||
        !readNumber(text, pos, when.day, 2) || !expect(text, pos, '/') ||
        !readNumber(text, pos, when.year, 4))
        return std::nullopt;
    if (when.month < 1 || when.month > 12 || when.year < 1 || when.day < 1 ||
        when.day > daysInMonth(when.year, when.month))
        return std::nullopt;
    if (pos == text.size())
        return when;

    if (!expect(text, pos, ' ') || !readNumber(text, pos, when.hour, 2) || !expect(text, pos, ':') ||
        !readNumber(text, pos, when.minute, 2) || !expect(text, pos, ':') ||
        !readNumber(text, pos, when.second, 2))
        return std::nullopt;
    if (when.minute > 59 || when.second > 59)
        return std::nullopt;
    if (pos == text.size())
        return when.hour <= 23 ? std::optional(when) : std::nullopt;

    const std::string_view suffix = text.substr(pos);
    const bool am = suffix == " AM" || suffix == " am";
    const bool pm = suffix == " PM" || suffix == " pm";
    if ((!am && !pm) || when.hour < 1 || when.hour > 12)
        return std::nullopt;
    when.hour %= 12;
    if (pm)
        when.hour += 12;
    return when;
}

} // namespace zephrix
