#pragma once
// What the results benchmarks share: their rows, their timing and their
// command line.
#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "search/ResultRow.h"

namespace zephrix::bench {

// Rows shaped like a real search's: a few thousand folders, names of varied
// length and type, sizes over many orders of magnitude, some folder rows.
inline std::vector<ResultRow> makeRows(int count)
{
    std::mt19937_64 random(20240607);
    const char* types[] = {"txt", "pdf", "jpg", "png", "doc", "cpp", "h", "mp3", "zip", "html"};
    const char* words[] = {"report", "Holiday", "invoice", "draft", "Übersicht", "photo", "notes", "backup"};
    std::vector<std::string> folders;
    for (int i = 0; i < 3000; ++i)
        folders.push_back("/home/alice/Documents/projects/area" + std::to_string(i % 97) + "/set" +
                          std::to_string(i) + "/");
    std::vector<ResultRow> rows;
    rows.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        ResultRow row;
        row.path = folders[random() % folders.size()];
        row.isFolder = random() % 30 == 0;
        row.name = std::string(words[random() % 8]) + " " + std::to_string(random() % 100000);
        if (!row.isFolder) {
            row.fileType = types[random() % 10];
            row.name += "." + row.fileType;
            row.size = random() % 2 == 0 ? random() % 1000 : random() % 4000000000ull;
            // 2000-01-01 to 2024 in local calendar seconds.
            row.created = 946684800 + int64_t(random() % 760000000);
            row.modified = row.created + int64_t(random() % 10000000);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

inline double millisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// `program [ROWS] [RUNS]`, by default a hundred thousand rows and seven runs,
// on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Call before
// the application object is made.
struct BenchRun {
    int rows = 100000;
    int runs = 7;
};

inline BenchRun benchRun(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchRun run;
    if (argc > 1)
        run.rows = std::max(1, std::atoi(argv[1]));
    if (argc > 2)
        run.runs = std::max(1, std::atoi(argv[2]));
    return run;
}

} // namespace zephrix::bench
