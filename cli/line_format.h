// SPDX-License-Identifier: MIT
#pragma once
// The lines tesura-solve reads. A puzzle line is 81 cell characters after
// optional leading white space, followed by the end of the line or by a
// separator and anything after it, which is ignored: a comment, a rating,
// the solution in a second column. Cells: 1-9 a given; . 0 _ * - open.
#include <string>

#include "cli/line_reader.h"
#include "model/puzzle.h"

namespace tesura::cli {

enum class LineKind { skipped, puzzle, malformed };

// Skipped: blank lines, lines starting with '#', and a first line whose
// field holds no cell character at all (a header such as
// "quizzes,solutions"). For a malformed line, reason says why.
LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason);

}  // namespace tesura::cli
