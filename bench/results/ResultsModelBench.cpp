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
#include <cstdio>
#include <string>
#include <vector>

#include "ResultsBench.h"
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
        times.push_back(bench::millisecondsOf([&] { list.results().sort(int(column), order); }));
    }
    return bench::median(times);
}

} // namespace

int main(int argc, char** argv)
{
    const bench::BenchRun run = bench::benchRun(argc, argv);
    QApplication app(argc, argv);
    const int count = run.rows;
    const int runs = run.runs;
    const std::vector<ResultRow> source = bench::makeRows(count);

    ResultsList hidden;
    ResultsModel& model = hidden.results();
    std::vector<double> appendTimes;
    for (int run = 0; run < runs; ++run) {
        std::vector<ResultRow> rows = source;
        ResultSink& sink = hidden.resultSink();
        appendTimes.push_back(bench::millisecondsOf([&] {
            sink.clearResults();
            for (ResultRow& row : rows)
                sink.addResult(std::move(row));
            sink.flushResults();
        }));
    }
    std::printf("rows: %d, runs: %d (medians)\n", count, runs);
    std::printf("append through the sink and flush: %8.2f ms\n", bench::median(appendTimes));

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
        const double took = bench::millisecondsOf([&] {
            for (int row = 0; row < model.rowCount(); ++row)
                model.index(row, 0).data(Qt::DecorationRole);
        });
        std::printf("icons of all rows, first shown: %8.2f ms (%.2f us a row, %d types)\n", took,
                    took * 1000 / model.rowCount(), model.icons().typeCount());
        const double again = bench::millisecondsOf([&] {
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
