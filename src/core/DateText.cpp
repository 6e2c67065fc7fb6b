#include "core/DateText.h"

#include <charconv>

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

void appendNumber(std::string& out, int value, int minDigits)
{
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    for (int pad = minDigits - static_cast<int>(end - buf); pad > 0; --pad)
        out.push_back('0');
    out.append(buf, end);
}

// Reads an unsigned number at pos; advances pos.
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

void appendDateText(std::string& out, const LocalDateTime& when)
{
    appendNumber(out, when.month, 1);
    out.push_back('/');
    appendNumber(out, when.day, 1);
    out.push_back('/');
    appendNumber(out, when.year, 4);
    if (when.hour == 0 && when.minute == 0 && when.second == 0)
        return;
    out.push_back(' ');
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    appendNumber(out, hour12, 1);
    out.push_back(':');
    appendNumber(out, when.minute, 2);
    out.push_back(':');
    appendNumber(out, when.second, 2);
    out.append(when.hour < 12 ? " AM" : " PM");
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
