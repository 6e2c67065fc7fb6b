#pragma once
#include <QDate>
#include <QStringList>

namespace zephrix::pickers {

// The creation-date lists: "Any", today and each of the 45 days before it,
// then every seventh day from 52 to 1095 days back, as mm/dd/yyyy.
QStringList creationDates(QDate today);
QStringList fileTypes();
QStringList fileSizes();
// The re-index intervals: 1 to 24 hours, and 8 once more at the end.
QStringList reindexHours();

inline constexpr char Any[] = "Any";

} // namespace zephrix::pickers
