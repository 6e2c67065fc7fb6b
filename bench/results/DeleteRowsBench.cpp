// Times deleting many selected rows from the results list, end to end.
//
//   delete-rows-bench [ROWS] [RUNS]
//
// Makes ROWS files (default 10,000) in one
// folder of a temporary directory, lists them, selects every row and presses
// Delete; the confirmation is answered as soon as it shows. Times the whole
// of it, from the key to the list updated (target: under 2 s at 10,000
// rows), and the longest gap between turns of the event loop meanwhile.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <vector>

#include "ResultsBench.h"
#include "results/DesktopResultsOperations.h"
#include "results/ResultsList.h"
#include "ui/PictureButton.h"
#include "ui/frmMessages.h"

using namespace zephrix;

namespace {

std::vector<ResultRow> makeFiles(const std::string& folder, int count)
{
    std::vector<ResultRow> rows;
    for (int i = 0; i < count; ++i) {
        ResultRow row;
        row.name = "file-" + std::to_string(i) + ".txt";
        row.path = folder;
        row.fileType = "txt";
        row.size = 1;
        std::ofstream(folder + row.name) << 'x';
        rows.push_back(row);
    }
    return rows;
}

struct DeleteTiming {
    double total = 0;
    double longestGap = 0;
    int rowsLeft = 0;
};

DeleteTiming timeDelete(ResultsList& list)
{
    // Answers the question once it is on screen.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        frmMessages& dialog = frmMessages::instance();
        if (dialog.isVisible()) {
            answer.stop();
            QTest::mouseClick(dialog.findChild<PictureButton*>("cmd1"), Qt::LeftButton);
        }
    });
    answer.start();

    // A 1 ms timer only ticks when the loop turns.
    DeleteTiming timing;
    auto last = std::chrono::steady_clock::now();
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const auto now = std::chrono::steady_clock::now();
        timing.longestGap =
            std::max(timing.longestGap, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    });
    ticks.start();

    list.selectAll();
    timing.total = bench::millisecondsOf([&] { QTest::keyClick(&list, Qt::Key_Delete); });
    timing.rowsLeft = list.results().rowCount();
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    bench::BenchRun run = bench::benchRun(argc, argv);
    if (argc < 2)
        run.rows = 10000;
    QApplication app(argc, argv);
    QTemporaryDir work;
    const std::string folder = work.path().toStdString() + "/many/";

    DesktopResultsOperations operations;
    ResultsList list;
    list.setOperations(&operations);
    list.resize(800, 600);
    list.show();

    std::vector<double> totals, gaps;
    for (int time = 0; time < run.runs; ++time) {
        QDir().mkpath(QString::fromStdString(folder));
        list.results().appendRows(makeFiles(folder, run.rows), RowIcons::ByType);
        QCoreApplication::processEvents();
        const DeleteTiming timing = timeDelete(list);
        if (timing.rowsLeft != 0 || !QDir(QString::fromStdString(folder)).isEmpty()) {
            std::fprintf(stderr, "delete-rows-bench: %d rows left after the delete\n", timing.rowsLeft);
            return 1;
        }
        totals.push_back(timing.total);
        gaps.push_back(timing.longestGap);
    }
    std::printf("rows: %d in one folder, runs: %d (medians)\n", run.rows, run.runs);
    std::printf("Delete on every row, key to list updated: %8.1f ms (target < 2000 ms at 10,000)\n",
                bench::median(totals));
    std::printf("longest gap between event-loop turns:    %8.1f ms (worst %.1f ms)\n", bench::median(gaps),
                *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
