// Times LoadIndex on a stored pair and reports the memory its tables take.
//
//   load-index-bench INDEXES ROOT [RUNS] [--folder]
//
// Prints each run's time, the median, the entry and folder counts, the
// tables' bytes, and the bound they must stay within (1.5 times the entries
// file plus 24 bytes per entry). The first load warms the page cache and is
// not counted; RUNS 0 loads once, for timing the whole process from outside.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/EngineHost.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"

namespace {

class PrintingReporter : public zephrix::ErrorReporter {
  public:
    void reportError(int location, int number, const std::string& description) override
    {
        std::fprintf(stderr, "error %d in %d: %s\n", number, location, description.c_str());
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: load-index-bench INDEXES ROOT [RUNS] [--folder]\n");
        return 2;
    }
    const std::string root = argv[2];
    const int runs = argc > 3 ? std::max(0, std::atoi(argv[3])) : 5;
    const zephrix::IndexMode mode = argc > 4 && std::string(argv[4]) == "--folder"
                                        ? zephrix::IndexMode::Folder
                                        : zephrix::IndexMode::Drive;
    PrintingReporter reporter;
    zephrix::IndexContext ctx;
    ctx.indexesDir = argv[1];
    ctx.errors = &reporter;

    if (!zephrix::LoadIndex(ctx, root, mode)) {
        std::fprintf(stderr, "no pair for %s in %s\n", root.c_str(), argv[1]);
        return 1;
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const bool loaded = zephrix::LoadIndex(ctx, root, mode);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (!loaded)
            return 1;
        times.push_back(took.count());
        std::printf("run %d: %.1f ms\n", run + 1, took.count());
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty())
        std::printf("median: %.1f ms over %d runs\n", sorted[sorted.size() / 2], runs);

    const auto paths = zephrix::IndexFormat::pairPaths(ctx.indexesDir, root, mode);
    struct stat st {};
    ::stat(paths->entries.c_str(), &st);
    const double bound = 1.5 * double(st.st_size) + 24.0 * double(ctx.index.entryCount());
    std::printf("entries: %zu, folders: %zu, entries file: %lld bytes\n", ctx.index.entryCount(),
                ctx.index.folderCount(), static_cast<long long>(st.st_size));
    std::printf("tables: %zu bytes (%.2f x entries file); bound %.0f bytes: %s\n", ctx.index.memoryBytes(),
                double(ctx.index.memoryBytes()) / double(st.st_size), bound,
                double(ctx.index.memoryBytes()) <= bound ? "within" : "OVER");
    return 0;
}
