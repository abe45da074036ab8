// SPDX-License-Identifier: MIT
#pragma once
// A complete, deterministic search for the solutions of a puzzle. It decides
// what the restricted trial searches cannot: whether a solution exists.
#include "model/puzzle.h"

namespace tesura {

// Finds a solution of puzzle (reading order, 0 = open) and writes it into
// solution. The same puzzle always gives the same solution. Returns false,
// leaving solution unspecified, when the puzzle has none (repeated givens
// included).
bool complete_search(const Puzzle& puzzle, Puzzle& solution);

// The number of solutions, counted up to limit (limit >= 1).
int count_solutions(const Puzzle& puzzle, int limit);

}  // namespace tesura
