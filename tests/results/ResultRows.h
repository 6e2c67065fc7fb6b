#pragma once
#include <QAbstractItemModel>
#include <QStringList>

#include "core/DateText.h"
#include "results/ResultsEntry.h"

namespace zephrix::test {

// A row for a file in /t/ (no such file needs to exist); the date as M/D/YYYY.
inline ResultRow fileRow(const std::string& name, uint64_t size = 0, const char* date = nullptr)
{
    const int64_t when = date ? parseDateText(date)->localSeconds() : NoTime;
    return {name, "/t/", name.substr(name.rfind('.') + 1), size, when, when, false};
}

inline ResultRow folderRow(const std::string& name)
{
    return {name, "/t/", "", 4096, NoTime, NoTime, true};
}

// The cells of one column top to bottom, joined by '|'.
inline QString columnTexts(const QAbstractItemModel& model, ResultsColumn column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, int(column)).data().toString();
    return texts.join('|');
}

} // namespace zephrix::test
