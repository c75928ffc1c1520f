// The core's hot paths: a move with its recount, and a load.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "puzzles/load.h"
#include "session/game.h"

namespace {

using namespace brindle;

void reportAllocations(benchmark::State& state, long before) {
    state.counters["allocs/op"] =
        benchmark::Counter(double(allocationCount() - before), benchmark::Counter::kAvgIterations);
}

void MoveAndRecount(benchmark::State& state) {
    Game g = startUp();
    int i = 0;
    const long before = allocationCount();
    for (auto _ : state) {
        click(g, posOf(i));
        i = (i + 7) % kCellCount;
        benchmark::DoNotOptimize(g.progress);
    }
    reportAllocations(state, before);
}
BENCHMARK(MoveAndRecount);

void Load(benchmark::State& state) {
    Game g = startUp();
    std::size_t i = 0;
    const long before = allocationCount();
    for (auto _ : state) {
        LoadPuzzle(g, PuzzleCatalogue[i]);
        i = (i + 1) % PuzzleCatalogue.size();
        benchmark::DoNotOptimize(g);
    }
    reportAllocations(state, before);
}
BENCHMARK(Load);

void ClockTick(benchmark::State& state) {
    Game g = startUp();
    const long before = allocationCount();
    for (auto _ : state) {
        clockTick(g);
        // Restart each hour, so that the clock never reaches its limit and stops.
        if (g.clock.minutes == 60) g.clock.Stat = "0";
        benchmark::DoNotOptimize(g.clock);
    }
    reportAllocations(state, before);
}
BENCHMARK(ClockTick);

}  // namespace

BENCHMARK_MAIN();
