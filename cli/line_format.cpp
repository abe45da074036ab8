// SPDX-License-Identifier: MIT
#include "cli/line_format.h"

#include <algorithm>
#include <string_view>

#include "cli/utf8_counter.h"

namespace tesura::cli {

namespace {

std::string count_text(std::uint64_t n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// The character quoted for a message, or nothing when it is a control
// character or not whole UTF-8.
std::string quoted(std::string_view c) {
  const auto lead = static_cast<unsigned char>(c[0]);
  const bool shown = c.size() == 1 ? lead >= 0x20 && lead < 0x7f
                                   : static_cast<int>(c.size()) == utf8_sequence_length(lead);
  return shown ? " '" + std::string(c) + "'" : std::string();
}

}  // namespace

LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason) {
  const std::string_view text = line.text;
  if (text.empty() || text.front() == '#') return LineKind::skipped;
  // 81 characters of at most four bytes each: the kept text holds them all.
  std::size_t i = 0;  // the cells read
  if (line.field_chars == 81) {
    // All 81 at once without a branch each: a character that is no cell
    // makes `bad` negative, and only then is the first one looked for.
    int bad = 0;
    for (std::size_t k = 0; k < 81; ++k) {
      const int cell = byte_class(text[k]).cell;
      puzzle[k] = static_cast<Digit>(cell);
      bad |= cell;
    }
    if (bad >= 0) return LineKind::puzzle;
    while (byte_class(text[i]).cell >= 0) ++i;
  }
  if (line.number == 1 && i == 0) {
    std::size_t end = 0;
    while (end < text.size() && !is_separator(text[end])) ++end;
    const bool whole_field = end < text.size() || !line.cut;
    if (whole_field && std::none_of(text.begin(), text.begin() + end,
                                    [](char c) { return byte_class(c).cell >= 0; }))
      return LineKind::skipped;
  }
  if (line.field_chars != 81) {
    reason = "expected 81 cells, found " + count_text(line.field_chars, "character");
    return LineKind::malformed;
  }
  // Every byte before text[i] is a cell: it starts character i + 1.
  Utf8Counter counter;
  counter.starts_char(text[i]);
  std::size_t end = i + 1;
  while (end < text.size() && !counter.starts_char(text[end])) ++end;
  reason =
      "cell " + std::to_string(i + 1) + ": unexpected character" + quoted(text.substr(i, end - i));
  return LineKind::malformed;
}

}  // namespace tesura::cli
