// SPDX-License-Identifier: MIT
// Looks for slow boards: starts from random boards and keeps changing one
// given at a time (a new digit, a new cell, one more or one fewer) while the
// solve does not get faster. Prints each climb's slowest board with its time.
//
//   hill_climb [--search | --nodes] [--givens=N] [--min-givens=N]
//              [--climbs=N] [--steps=N] [--seed=N]
//
// Without --search the whole solve command is timed, as the window runs it;
// with it, the complete search alone. --nodes climbs the complete search's
// node count instead of its time: steady on a busy machine, and aimed at
// the design rather than at the clock. A board keeps at least --min-givens
// givens (default 20, the window's minimum) and starts with --givens.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "bench/timed_solve.h"
#include "model/entry_check.h"
#include "solver/search_schedule.h"

namespace {

using namespace tesura;

struct Settings {
  bool search = false;
  bool nodes = false;
  int givens = 22;
  int min_givens = kMinEntries;
  int climbs = 20;
  int steps = 2000;
  unsigned seed = 1;
};

bool repeats(const Puzzle& p) {
  return check_puzzle(p, count_givens(p), 0) == InputVerdict::repeated;
}

// The fastest of three solves, in microseconds; or the search's nodes.
double solve_us(const Settings& settings, const Puzzle& p) {
  if (settings.nodes) return static_cast<double>(search::run_schedule(p, 1, nullptr).nodes);
  double best = 1e30;
  for (int k = 0; k < 3; ++k) best = std::min(best, bench::solve_us(settings.search, p));
  return best;
}

// One given changed: a new digit, moved, added or taken away.
Puzzle mutate(const Settings& settings, const Puzzle& p, std::mt19937& rng) {
  for (;;) {
    Puzzle q = p;
    const int cell = static_cast<int>(rng() % 81);
    const int other = static_cast<int>(rng() % 81);
    const auto digit = static_cast<Digit>(1 + rng() % 9);
    switch (rng() % 4) {
      case 0:
        if (q[cell] == 0) continue;
        q[cell] = digit;
        break;
      case 1:
        if (q[cell] == 0 || q[other] != 0) continue;
        std::swap(q[cell], q[other]);
        break;
      case 2:
        if (q[cell] != 0) continue;
        q[cell] = digit;
        break;
      default:
        if (q[cell] == 0 || count_givens(q) <= settings.min_givens) continue;
        q[cell] = 0;
        break;
    }
    if (q != p && !repeats(q)) return q;
  }
}

Puzzle random_board(const Settings& settings, std::mt19937& rng) {
  Puzzle p{};
  while (count_givens(p) < settings.givens) {
    Puzzle q = p;
    q[rng() % 81] = static_cast<Digit>(1 + rng() % 9);
    if (!repeats(q)) p = q;
  }
  return p;
}

bool parse(int argc, char** argv, Settings& s) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    auto value = [&](const char* name, auto& out) {
      const std::size_t n = std::strlen(name);
      if (std::strncmp(a, name, n) != 0) return false;
      out = static_cast<std::remove_reference_t<decltype(out)>>(std::strtol(a + n, nullptr, 10));
      return true;
    };
    if (std::strcmp(a, "--search") == 0)
      s.search = true;
    else if (std::strcmp(a, "--nodes") == 0)
      s.nodes = true;
    else if (!value("--givens=", s.givens) && !value("--min-givens=", s.min_givens) &&
             !value("--climbs=", s.climbs) && !value("--steps=", s.steps) &&
             !value("--seed=", s.seed))
      return false;
  }
  s.givens = std::clamp(s.givens, std::max(s.min_givens, 1), 40);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  if (!parse(argc, argv, settings)) {
    std::fprintf(
        stderr,
        "usage: hill_climb [--search | --nodes] [--givens=N] [--min-givens=N] [--climbs=N] "
        "[--steps=N] [--seed=N]\n");
    return 2;
  }
  std::mt19937 rng(settings.seed);
  for (int climb = 0; climb < settings.climbs; ++climb) {
    Puzzle board = random_board(settings, rng);
    double cost = solve_us(settings, board);
    for (int step = 0; step < settings.steps; ++step) {
      const Puzzle next = mutate(settings, board, rng);
      const double c = solve_us(settings, next);
      if (c >= cost) {
        board = next;
        cost = c;
      }
    }
    // Measured again, so that one lucky reading does not rank the board.
    std::printf("%s\t%.1f\n", puzzle_text(board).c_str(), solve_us(settings, board));
    std::fflush(stdout);
  }
  return 0;
}
