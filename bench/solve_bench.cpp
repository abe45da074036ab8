// SPDX-License-Identifier: MIT
// The whole solve command as the window runs it (entry, input checks,
// acceptance, solve), one benchmark per file of the puzzle folder. The
// per_puzzle counter is the mean time per puzzle over the whole file.
// The folder is TESURA_PUZZLE_DIR from the environment, else the build's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/timed_solve.h"
#include "model/input_completion.h"
#include "model/puzzle.h"

namespace {

namespace fs = std::filesystem;
using namespace tesura;

using bench::NoDrawing;

struct PuzzleFile {
  std::string name;
  std::vector<Puzzle> puzzles;
  int min_entries = kMinEntries;
};

PuzzleFile load(const fs::path& path) {
  PuzzleFile file{path.filename().string(), {}, kMinEntries};
  std::ifstream in(path);
  int fewest = 81;
  for (std::string line; std::getline(in, line);) {
    const auto puzzle = parse_puzzle(line);
    if (!puzzle) continue;
    file.puzzles.push_back(*puzzle);
    fewest = std::min(fewest, static_cast<int>(81 - std::count(puzzle->begin(), puzzle->end(), 0)));
  }
  // Files of puzzles below the window's minimum are solved as --any-count does.
  if (fewest < kMinEntries) file.min_entries = 0;
  return file;
}

void solve_file(benchmark::State& state, const PuzzleFile& file) {
  Grid grid;
  NoDrawing observer;
  SolveContext context;
  std::int64_t answered = 0;
  for (auto _ : state) {
    for (const Puzzle& puzzle : file.puzzles) {
      enter_puzzle(grid, puzzle);
      if (check_input(grid, file.min_entries) != InputVerdict::accepted) continue;
      accept_input(grid);
      const SolveStage stage = solve_command(grid, observer, context);
      answered += stage != SolveStage::unsolvable;
      benchmark::DoNotOptimize(grid);
    }
  }
  const auto n = static_cast<double>(file.puzzles.size());
  state.counters["puzzles"] = n;
  state.counters["per_puzzle"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["answered"] =
      static_cast<double>(answered) / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const char* env = std::getenv("TESURA_PUZZLE_DIR");
  const fs::path dir = env && *env ? env : TESURA_PUZZLE_DIR;
  std::vector<fs::path> paths;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error))
    if (entry.is_regular_file() && entry.path().extension() == ".txt")
      paths.push_back(entry.path());
  if (error || paths.empty()) {
    std::fprintf(stderr, "solve_bench: no puzzle files in %s\n", dir.c_str());
    return 2;
  }
  std::sort(paths.begin(), paths.end());
  static std::vector<PuzzleFile> files;  // outlives the registered benchmarks
  files.reserve(paths.size());
  for (const auto& path : paths) files.push_back(load(path));
  for (const auto& file : files)
    if (!file.puzzles.empty())
      benchmark::RegisterBenchmark(("solve_command/" + file.name).c_str(),
                                   [&file](benchmark::State& state) { solve_file(state, file); })
          ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
