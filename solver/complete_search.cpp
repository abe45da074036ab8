// Placeholder: plain backtracking until the fast search lands.
#include "solver/complete_search.h"

namespace tesura {
namespace {
bool fits(const Puzzle& p, int cell, int d) {
  const int r = cell / 9, c = cell % 9;
  for (int i = 0; i < 9; ++i) {
    if (p[r * 9 + i] == d || p[i * 9 + c] == d) return false;
    const int br = r / 3 * 3 + i / 3, bc = c / 3 * 3 + i % 3;
    if (p[br * 9 + bc] == d) return false;
  }
  return true;
}
int search(Puzzle& p, int limit, Puzzle* first) {
  int cell = 0;
  while (cell < 81 && p[cell] != 0) ++cell;
  if (cell == 81) {
    if (first) *first = p;
    return 1;
  }
  int found = 0;
  for (int d = 1; d <= 9 && found < limit; ++d)
    if (fits(p, cell, d)) {
      p[cell] = static_cast<Digit>(d);
      found += search(p, limit - found, found == 0 ? first : nullptr);
      p[cell] = 0;
    }
  return found;
}
bool givens_ok(const Puzzle& p) {
  Puzzle q = p;
  for (int i = 0; i < 81; ++i)
    if (p[i] != 0) {
      q[i] = 0;
      if (!fits(q, i, p[i])) return false;
      q[i] = p[i];
    }
  return true;
}
}  // namespace

bool complete_search(const Puzzle& puzzle, Puzzle& solution) {
  if (!givens_ok(puzzle)) return false;
  Puzzle p = puzzle;
  return search(p, 1, &solution) == 1;
}

int count_solutions(const Puzzle& puzzle, int limit) {
  if (!givens_ok(puzzle)) return 0;
  Puzzle p = puzzle;
  return search(p, limit, nullptr);
}

}  // namespace tesura
