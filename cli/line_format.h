// SPDX-License-Identifier: MIT
#pragma once
// The lines tesura-solve reads. A puzzle line is 81 cell characters after
// optional leading white space, followed by the end of the line or by a
// separator and anything after it, which is ignored: a comment, a rating,
// the solution in a second column. Cells: 1-9 a given; . 0 _ * - open.
#include <array>
#include <cstdint>
#include <string>

#include "cli/line_reader.h"
#include "model/puzzle.h"

namespace tesura::cli {

// What a byte is to the format; a table, since every byte of every line
// is looked up.
struct ByteClass {
  bool blank = false;      // white space, as std::isspace has it in the C locale
  bool separator = false;  // white space, ',', ';', '#' or '|': the end of the cells
  int cell = -1;           // the digit of a cell character, 0 for an open cell
};
extern const std::array<ByteClass, 256> kByteClasses;

inline const ByteClass& byte_class(char c) {
  return kByteClasses[static_cast<unsigned char>(c)];
}
inline bool is_blank(char c) {
  return byte_class(c).blank;
}
inline bool is_separator(char c) {
  return byte_class(c).separator;
}

enum class LineKind { skipped, puzzle, malformed };

// Skipped: blank lines, lines starting with '#', and a first line whose
// field holds no cell character at all (a header such as
// "quizzes,solutions"). For a malformed line, reason says why.
LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason);

}  // namespace tesura::cli
