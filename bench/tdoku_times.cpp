// SPDX-License-Identifier: MIT
// Times tdoku's solver per puzzle over a file, first solution only. Prints
// each answer (or "unsolvable") as tesura-solve does, and a summary line in
// the form of `tesura-solve --stats` on standard error. Built by
// compare_tdoku.sh against a tdoku build; not part of the project's build.
//
//   tdoku_times FILE [REPEATS]
//
// With REPEATS, the file is solved that many times over and each puzzle's
// fastest reading counts (the answers are printed once).
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern "C" std::size_t TdokuSolverDpllTriadSimd(const char* input, std::size_t limit,
                                                std::uint32_t configuration, char* solution,
                                                std::size_t* num_guesses);

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: tdoku_times FILE [REPEATS]\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "tdoku_times: cannot open %s\n", argv[1]);
    return 2;
  }
  const int repeats = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;
  std::vector<std::array<char, 82>> puzzles;
  for (std::string line; std::getline(in, line);) {
    const auto start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.size() - start < 81) continue;
    // tdoku wants "." for an open cell and no digit after the 81st cell.
    std::array<char, 82> p{};
    for (int i = 0; i < 81; ++i) {
      const char c = line[start + i];
      p[i] = c >= '1' && c <= '9' ? c : '.';
    }
    puzzles.push_back(p);
  }
  // Each puzzle's fastest reading over rounds of the whole file.
  std::vector<double> us(puzzles.size(), 1e300);
  long solved = 0, unsolvable = 0;
  char solution[82] = {};
  for (int r = 0; r < repeats; ++r)
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
      std::size_t guesses = 0;
      const auto t0 = std::chrono::steady_clock::now();
      const std::size_t n = TdokuSolverDpllTriadSimd(puzzles[i].data(), 1, 0, solution, &guesses);
      const auto t1 = std::chrono::steady_clock::now();
      us[i] = std::min(us[i], std::chrono::duration<double, std::micro>(t1 - t0).count());
      if (r > 0) continue;
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
