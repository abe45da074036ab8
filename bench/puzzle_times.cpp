// SPDX-License-Identifier: MIT
// Times every puzzle of a file several times and keeps each puzzle's fastest
// reading, so that a pause of the shared machine does not pass for a slow
// puzzle. Prints the median and the worst of those times, and the worst
// puzzle, on standard error, with the process's peak virtual size (for
// the window's way, what a solve adds to a window's).
//
//   puzzle_times [--search] [--repeat=N] FILE
//
// Without --search each puzzle goes the window's way (entry, input checks
// with no minimum of givens, acceptance, solve command); with it, through
// the complete search alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/peak_memory.h"
#include "bench/timed_solve.h"

namespace {

using namespace tesura;
using bench::peak_virtual_kb;
using bench::solve_us;

}  // namespace

int main(int argc, char** argv) {
  bool search = false;
  int repeat = 3;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--search") == 0)
      search = true;
    else if (std::strncmp(argv[i], "--repeat=", 9) == 0)
      repeat = std::max(1, std::atoi(argv[i] + 9));
    else
      file = argv[i];
  }
  std::ifstream in(file ? file : "");
  if (!in) {
    std::fprintf(stderr, "usage: puzzle_times [--search] [--repeat=N] FILE\n");
    return 2;
  }
  std::vector<Puzzle> puzzles;
  for (std::string line; std::getline(in, line);)
    if (auto p = parse_puzzle(line)) puzzles.push_back(*p);
  std::vector<std::pair<double, std::size_t>> best(puzzles.size(), {1e300, 0});
  // Rounds over the whole file, so that one pause hits one reading only.
  for (int r = 0; r < repeat; ++r)
    for (std::size_t i = 0; i < puzzles.size(); ++i)
      best[i] = {std::min(best[i].first, solve_us(search, puzzles[i])), i};
  if (best.empty()) return 0;
  std::sort(best.begin(), best.end());
  const std::size_t n = best.size();
  const double median = (best[(n - 1) / 2].first + best[n / 2].first) / 2;
  std::fprintf(stderr, "stats: puzzles=%zu median_us=%.2f max_us=%.2f worst=%s vm_peak_kb=%ld\n", n,
               median, best.back().first, puzzle_text(puzzles[best.back().second]).c_str(),
               peak_virtual_kb());
  return 0;
}
