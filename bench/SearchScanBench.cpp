#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/TextFold.h"
#include "search/InsideScan.h"

namespace {

// A 64 MB text file without the text looked for, so every byte is read.
const std::string& sampleFile()
{
    static const std::string path = [] {
        std::string p = "/tmp/zephrix-scan-bench.txt";
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::mt19937 random(1);
        static const char* words[] = {"the ",    "Quarterly ", "report ", "of ",       "SALES ", "and ",
                                      "costs\n", "for ",       "2024 ",   "Invoices ", "were ",  "sent "};
        std::string block;
        while (block.size() < (1 << 20))
            block += words[random() % 12];
        for (int i = 0; i < 64; ++i)
            std::fwrite(block.data(), 1, 1 << 20, f);
        std::fclose(f);
        return p;
    }();
    return path;
}

void scanFile(benchmark::State& state, bool caseSensitive)
{
    const std::string& path = sampleFile();
    zephrix::InsideScanner scanner;
    for (auto _ : state) {
        bool found = scanner.scan(
            path, "sample.txt", "xylophone", caseSensitive, [](const std::string&) {}, [] {});
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * (64LL << 20));
}

void BM_ScanCaseSensitive(benchmark::State& state)
{
    scanFile(state, true);
}
void BM_ScanIgnoringCase(benchmark::State& state)
{
    scanFile(state, false);
}
BENCHMARK(BM_ScanCaseSensitive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanIgnoringCase)->Unit(benchmark::kMillisecond);

// Folding whole blocks is the case-insensitive scan's extra work.
void BM_FoldAsciiBlock(benchmark::State& state)
{
    std::string in(100000, 'A');
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = "Quarterly REPORT of sales\n"[i % 26];
    std::string out(zephrix::foldedCapacity(in.size()), '\0');
    for (auto _ : state)
        benchmark::DoNotOptimize(zephrix::foldBytes(in.data(), in.size(), out.data()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_FoldAsciiBlock);

} // namespace
