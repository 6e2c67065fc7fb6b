#include "ui/PickerEntries.h"

namespace zephrix::pickers {

QStringList creationDates(QDate today)
{
    constexpr int DailyDays = 45;
    constexpr int Weeks = 150;
    QStringList dates{QString::fromLatin1(Any)};
    const auto add = [&](int daysBack) {
        dates << today.addDays(-daysBack).toString(QStringLiteral("MM/dd/yyyy"));
    };
    for (int day = 0; day <= DailyDays; ++day)
        add(day);
    for (int week = 1; week <= Weeks; ++week)
        add(week * 7 + DailyDays);
    return dates;
}

QStringList fileTypes()
{
    return {"txt", "com", "exe", "pct", "jpg", "jpeg", "gif", "bmp", "doc", "rtf", "eml", "xls"};
}

QStringList fileSizes()
{
    return {QString::fromLatin1(Any), "Small (Less than 100 KB)", "Medium (Less than 1 MB)",
            "Large (More than 1 MB)"};
}

QStringList reindexHours()
{
    QStringList hours;
    for (int hour = 1; hour <= 24; ++hour)
        hours << QString::number(hour);
    // The list has always ended with a second 8.
    hours << QStringLiteral("8");
    return hours;
}

} // namespace zephrix::pickers
