// SPDX-License-Identifier: MIT
// Mean time of the complete search per puzzle, one benchmark per file of
// the puzzle folder. One iteration solves the whole file in order, so every
// puzzle weighs the same; "per_puzzle" is the mean.
//
//   search_bench [--puzzles=DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "model/puzzle.h"
#include "solver/complete_search.h"

namespace {

using tesura::Puzzle;

std::vector<Puzzle> read_file(const std::filesystem::path& path) {
  std::vector<Puzzle> puzzles;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);)
    if (auto p = tesura::parse_puzzle(line)) puzzles.push_back(*p);
  return puzzles;
}

void solve_all(benchmark::State& state, const std::vector<Puzzle>& puzzles) {
  Puzzle solution;
  long unsolved = 0;
  for (auto _ : state) {
    unsolved = 0;
    for (const Puzzle& p : puzzles) {
      unsolved += !tesura::complete_search(p, solution);
      benchmark::DoNotOptimize(solution);
    }
  }
  const double n = static_cast<double>(puzzles.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(puzzles.size()));
  state.counters["puzzles"] = n;
  state.counters["unsolved"] = static_cast<double>(unsolved);
  state.counters["per_puzzle"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path dir = TESURA_PUZZLE_DIR;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--puzzles=", 10) == 0)
      dir = argv[i] + 10;
    else
      args.push_back(argv[i]);
  }
  int args_count = static_cast<int>(args.size());
  benchmark::Initialize(&args_count, args.data());

  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.is_regular_file() && entry.path().extension() == ".txt")
      files.push_back(entry.path());
  if (error || files.empty()) {
    std::cerr << "search_bench: no puzzle files in " << dir << "\n";
    return 2;
  }
  std::sort(files.begin(), files.end());
  // Kept alive until the benchmarks have run.
  std::vector<std::vector<Puzzle>> sets;
  sets.reserve(files.size());
  for (const auto& file : files) {
    sets.push_back(read_file(file));
    if (sets.back().empty()) continue;
    benchmark::RegisterBenchmark(("search/" + file.stem().string()).c_str(), solve_all,
                                 std::cref(sets.back()))
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
