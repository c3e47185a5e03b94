// Solving and rendering the longest known run, the all-open interior, into
// a sink that keeps nothing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ios>
#include <ostream>
#include <streambuf>

#include "grid/grid.h"
#include "solver/solver.h"
#include "sources/load_maze.h"

namespace {

class Discard : public std::streambuf {
 protected:
  int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_SolveOpenInterior(benchmark::State& state) {
  Column start[kSize];
  const LoadResult loaded = load_maze(MAZE_WORKLOAD, start);
  if (!loaded.ok) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  Discard discard;
  std::ostream out(&discard);
  std::int64_t frames = 0;
  for (auto _ : state) {
    Column maze[kSize];
    std::memcpy(maze, start, sizeof(maze));
    frames += solve_maze(maze, out).frames;
    benchmark::DoNotOptimize(maze);
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SolveOpenInterior);

}  // namespace

BENCHMARK_MAIN();
