// SPDX-License-Identifier: MIT
#pragma once
// Puzzles in the forms people have them, read line by line: the one reader
// behind the batch command and the window's paste.
//
// Cells: 1-9 a given; . 0 _ * - an open cell; the full-width ０-９ and ．
// read as their ASCII forms. Separators: white space , ; # |.
//
//   line                                   reading
//   --------------------------------------------------------------------
//   blank                                  skipped; ends a grid
//   starting with #                        skipped, within a grid too
//   81 cells, then the end or a separator  a puzzle; what follows is ignored
//   and anything
//   9 cells in groups of 1, 3 or 9 split   a row of a grid; nine rows make
//   by blanks or |, nothing else           a puzzle (- is no cell here)
//   only - + = | and blanks                a rule of a grid: skipped within
//                                          a grid and right after one, else
//                                          it starts one (a top border)
//   81 cells in 27 groups of 3 or 9        a puzzle; a comment may follow if
//   groups of 9 split by blanks or |       it does not start with a cell
//   the first line, with no cell before    a header ("quizzes,solutions"):
//   its first separator                    skipped
//   anything else                          malformed, with the reason
//
// A grid that does not reach nine rows is malformed at its first line.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/puzzle.h"
#include "model/utf8_counter.h"

namespace tesura {

// What an ASCII byte is in puzzle text; a table, since the batch command
// looks up every byte it reads.
struct ByteClass {
  bool blank = false;      // white space
  bool separator = false;  // white space, ',', ';', '#' or '|': the end of a field
  int cell = -1;           // the digit of a cell character, 0 for an open cell
};
extern const std::array<ByteClass, 256> kByteClasses;

// The cell an ASCII byte stands for: its digit, 0 for an open cell, -1 for
// none. Written without a table so that 81 of them compile to vector code.
constexpr int ascii_cell(unsigned char c) {
  const unsigned digit = c - unsigned{'0'};
  const bool given = digit - 1 < 9;
  const bool open = (c == '.') | (c == '0') | (c == '_') | (c == '*') | (c == '-');
  return given ? static_cast<int>(digit) : open ? 0 : -1;
}

inline const ByteClass& byte_class(char c) {
  return kByteClasses[static_cast<unsigned char>(c)];
}
inline bool is_blank(char c) {
  return byte_class(c).blank;
}
inline bool is_separator(char c) {
  return byte_class(c).separator;
}

// The cell character at the start of text: its digit (0 for open) and its
// length in bytes; a cell of -1 when text starts with none.
struct CellChar {
  int cell = -1;
  int length = 1;
};
CellChar cell_at(std::string_view text);

// One line as the reader takes it.
struct TextLine {
  // Without its leading white space; perhaps only the start of the line.
  std::string_view text;
  bool cut = false;  // text holds only the start of the line
  // Characters (UTF-8) before the first separator, exact however long.
  std::uint64_t field_chars = 0;
  // Some cell character stands before the first separator, however long.
  bool field_has_cell = false;
  std::uint64_t number = 0;  // 1-based
};

// The first field of a line given in pieces: field_chars and
// field_has_cell of TextLine, in memory that does not grow with the line.
class FieldScan {
 public:
  // cells: whether field_has_cell is wanted (it costs a second look at
  // each byte; only a first line can be a header).
  explicit FieldScan(bool cells) : cells_(cells) {}
  void feed(const char* begin, const char* end);
  std::uint64_t chars() const { return chars_; }
  bool has_cell() const { return has_cell_; }

 private:
  bool cells_;
  bool done_ = false;  // the separator has been seen
  bool has_cell_ = false;
  int wide_ = 0;  // bytes of a full-width cell's lead seen just before (EF, BC)
  std::uint64_t chars_ = 0;
  Utf8Counter utf8_;
};

enum class ReadingKind : std::uint8_t { puzzle, malformed };

struct Reading {
  ReadingKind kind = ReadingKind::malformed;
  std::uint64_t line = 0;  // the line it starts on
  Puzzle puzzle{};         // for a puzzle
  std::string reason;      // for a malformed reading
};

class PuzzleTextReader {
 public:
  // The readings that line completes, in input order, valid until the next
  // call: none, one, or two (a grid the line leaves unfinished, then the
  // line's own). Lines come in order of their numbers.
  std::span<const Reading> read(const TextLine& line);
  // At the end of the input: a grid left unfinished.
  std::span<const Reading> finish();
  // The first line was skipped as a header.
  bool header_skipped() const { return header_skipped_; }

 private:
  Reading& add(ReadingKind kind, std::uint64_t line);
  void read_alone(const TextLine& line);
  bool read_row(std::string_view text);
  void end_grid();

  std::array<Reading, 2> out_;
  int count_ = 0;
  // The grid being read: its first line (0 when none), its rows so far.
  std::uint64_t grid_line_ = 0;
  int rows_ = 0;
  Puzzle grid_{};
  bool after_grid_ = false;  // the last line completed a grid
  bool header_skipped_ = false;
};

}  // namespace tesura
