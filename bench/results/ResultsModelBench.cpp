// Times the results list with a hundred thousand rows and reports its memory.
//
//   results-model-bench [ROWS] [RUNS]
//
// Prints the median of RUNS for: appending ROWS rows through the search's
// result sink and flushing them; sorting by Size and by Date Created (the
// targets: under 150 ms each at 100,000 rows), and by File Name and Path; the
// same two sorts in a shown list with a selection; the icon lookups of rows
// first shown and shown again. Then the model's bytes per
// row beyond the name, path and type texts (target: under 250). Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <malloc.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "results/ResultsBatcher.h"
#include "results/ResultsList.h"

using namespace zephrix;

namespace {

// Bytes in use from the heap and from blocks big enough to be mapped apart.
size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Rows shaped like a real search's: a few thousand folders, names of varied
// length and type, sizes over many orders of magnitude, some folder rows.
std::vector<ResultRow> makeRows(int count)
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

double millisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void fill(ResultSink& sink, const std::vector<ResultRow>& source)
{
    std::vector<ResultRow> rows = source;
    sink.clearResults();
    for (ResultRow& row : rows)
        sink.addResult(std::move(row));
    sink.flushResults();
}

// Each run sorts the rows in the order the search gave them, alternating the
// direction.
double sortMedian(ResultsList& list, const std::vector<ResultRow>& source, ResultsColumn column, int runs,
                  bool select)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        fill(list.resultSink(), source);
        if (select) {
            // Every tenth row of the first ten thousand, each its own range.
            for (int row = 0; row < 10000; row += 10)
                list.selectionModel()->select(list.results().index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const Qt::SortOrder order = run % 2 == 0 ? Qt::DescendingOrder : Qt::AscendingOrder;
        times.push_back(millisecondsOf([&] { list.results().sort(int(column), order); }));
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::vector<ResultRow> source = makeRows(count);

    ResultsList hidden;
    ResultsModel& model = hidden.results();
    std::vector<double> appendTimes;
    for (int run = 0; run < runs; ++run) {
        std::vector<ResultRow> rows = source;
        ResultSink& sink = hidden.resultSink();
        appendTimes.push_back(millisecondsOf([&] {
            sink.clearResults();
            for (ResultRow& row : rows)
                sink.addResult(std::move(row));
            sink.flushResults();
        }));
    }
    std::printf("rows: %d, runs: %d (medians)\n", count, runs);
    std::printf("append through the sink and flush: %8.2f ms\n", median(appendTimes));

    struct Sorted {
        const char* caption;
        ResultsColumn column;
    };
    const Sorted sorts[] = {{"Size", ResultsColumn::Size},
                            {"Date Created", ResultsColumn::DateCreated},
                            {"File Name", ResultsColumn::Name},
                            {"Path", ResultsColumn::Path}};
    for (const Sorted& sorted : sorts)
        std::printf("sort by %-13s model alone:  %8.2f ms\n", sorted.caption,
                    sortMedian(hidden, source, sorted.column, runs, false));

    ResultsList shown;
    shown.resize(900, 600);
    shown.show();
    for (int s = 0; s < 2; ++s)
        std::printf("sort by %-13s shown list, 1,000 selected rows: %8.2f ms\n", sorts[s].caption,
                    sortMedian(shown, source, sorts[s].column, runs, true));

    // Icons are looked up as rows are first shown: the cost of showing every
    // row once, so per row the cost a screenful pays.
    {
        std::vector<ResultRow> rows = source;
        model.clear();
        model.appendRows(std::move(rows), RowIcons::ByType);
        const double took = millisecondsOf([&] {
            for (int row = 0; row < model.rowCount(); ++row)
                model.index(row, 0).data(Qt::DecorationRole);
        });
        std::printf("icons of all rows, first shown: %8.2f ms (%.2f us a row, %d types)\n", took,
                    took * 1000 / model.rowCount(), model.icons().typeCount());
        const double again = millisecondsOf([&] {
            for (int row = 0; row < model.rowCount(); ++row)
                model.index(row, 0).data(Qt::DecorationRole);
        });
        std::printf("icons of all rows, shown again: %8.2f ms\n", again);
    }

    // Memory: everything the filled model holds, less the heap blocks of the
    // texts themselves (measured on a copy of the rows). Rows that come in
    // small batches leave the model's vectors some unused room.
    std::printf("row record: %zu bytes (ResultRow %zu) and a 4-byte order entry\n", sizeof(ResultsEntry),
                sizeof(ResultRow));
    for (int batch : {count, 500}) {
        hidden.resultSink().clearResults();
        const size_t before = heapInUse();
        std::vector<ResultRow> rows = source;
        const size_t texts = heapInUse() - before - rows.capacity() * sizeof(ResultRow);
        ResultSink& sink = hidden.resultSink();
        for (size_t i = 0; i < rows.size(); ++i) {
            sink.addResult(std::move(rows[i]));
            if ((i + 1) % size_t(batch) == 0)
                sink.flushResults();
        }
        sink.flushResults();
        std::vector<ResultRow>().swap(rows);
        const size_t filled = heapInUse() - before;
        std::printf(
            "batches of %6d rows: model heap %zu bytes, texts %zu bytes, %.1f bytes per row beyond the "
            "texts (target under 250)\n",
            batch, filled, texts, double(filled - texts) / double(model.rowCount()));
    }
    return 0;
}
