// SPDX-License-Identifier: MIT
#pragma once
// The entry's two tests, on the puzzle's digits: the one check behind the
// window's input completion (check_input) and the batch command.
#include "model/input_completion.h"
#include "model/puzzle.h"

namespace tesura {

// The cells with a digit.
int count_givens(const Puzzle& puzzle);

// too_few below min_entries givens (the repeat test then does not run),
// repeated when a digit stands twice in a row, column or block.
InputVerdict check_puzzle(const Puzzle& puzzle, int givens, int min_entries);

}  // namespace tesura
