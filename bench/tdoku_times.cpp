// SPDX-License-Identifier: MIT
// Times tdoku's solver per puzzle over a file, first solution only. Prints
// each answer (or "unsolvable") as tesura-solve does, and a summary line in
// the form of `tesura-solve --stats` on standard error. Built by
// compare_tdoku.sh against a tdoku build; not part of the project's build.
//
//   tdoku_times FILE
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

extern "C" std::size_t TdokuSolverDpllTriadSimd(const char* input, std::size_t limit,
                                                std::uint32_t configuration, char* solution,
                                                std::size_t* num_guesses);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tdoku_times FILE\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "tdoku_times: cannot open %s\n", argv[1]);
    return 2;
  }
  std::vector<double> us;
  long solved = 0, unsolvable = 0;
  char puzzle[82];
  char solution[82];
  for (std::string line; std::getline(in, line);) {
    const auto start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.size() - start < 81) continue;
    // tdoku wants "." for an open cell and no terminator digit at [81].
    for (int i = 0; i < 81; ++i) {
      const char c = line[start + i];
      puzzle[i] = c >= '1' && c <= '9' ? c : '.';
    }
    puzzle[81] = '\0';
    std::size_t guesses = 0;
    const auto t0 = std::chrono::steady_clock::now();
    const std::size_t n = TdokuSolverDpllTriadSimd(puzzle, 1, 0, solution, &guesses);
    const auto t1 = std::chrono::steady_clock::now();
    us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    if (n > 0) {
      ++solved;
      std::fwrite(solution, 1, 81, stdout);
      std::fputc('\n', stdout);
    } else {
      ++unsolvable;
      std::fputs("unsolvable\n", stdout);
    }
  }
  double total = 0;
  for (const double t : us) total += t;
  std::sort(us.begin(), us.end());
  const std::size_t k = us.size();
  const double median = k == 0 ? 0 : (us[(k - 1) / 2] + us[k / 2]) / 2;
  std::fprintf(stderr,
               "stats: puzzles=%zu solved=%ld unsolvable=%ld median_us=%.2f mean_us=%.2f "
               "max_us=%.2f total_s=%.3f\n",
               k, solved, unsolvable, median, k == 0 ? 0 : total / static_cast<double>(k),
               k == 0 ? 0 : us.back(), total / 1e6);
  return 0;
}
