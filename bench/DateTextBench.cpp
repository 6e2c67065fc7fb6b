#include <benchmark/benchmark.h>

#include "core/DateText.h"

// Every index line carries two date texts, so formatting sits on the walk's
// hot path.
static void BM_AppendDateText(benchmark::State& state)
{
    std::string out;
    out.reserve(64);
    const zephrix::LocalDateTime when{2026, 12, 5, 9, 22, 48};
    for (auto _ : state) {
        out.clear();
        zephrix::appendDateText(out, when);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_AppendDateText);
