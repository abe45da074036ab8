// SPDX-License-Identifier: MIT
#include "cli/line_format.h"

#include <array>
#include <cctype>
#include <string_view>

#include "cli/utf8_counter.h"

namespace tesura::cli {

namespace {

// The digit of a cell character, 0 for a blank, -1 for anything else.
int cell_value(std::string_view c) {
  if (c.size() != 1) return -1;
  if (c[0] >= '1' && c[0] <= '9') return c[0] - '0';
  return std::string_view(".0_*-").find(c[0]) != std::string_view::npos ? 0 : -1;
}

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

bool is_blank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool is_separator(char c) {
  return is_blank(c) || c == ',' || c == ';' || c == '#' || c == '|';
}

LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason) {
  const std::string_view text = line.text;
  if (text.empty() || text.front() == '#') return LineKind::skipped;
  std::size_t field_end = 0;
  while (field_end < text.size() && !is_separator(text[field_end])) ++field_end;
  const std::string_view field = text.substr(0, field_end);
  const bool whole_field = field_end < text.size() || !line.cut;
  if (line.number == 1 && whole_field) {
    bool any_cell = false;
    for (std::size_t i = 0; i < field.size(); ++i)
      any_cell = any_cell || cell_value(field.substr(i, 1)) >= 0;
    if (!any_cell) return LineKind::skipped;
  }
  if (line.field_chars != 81) {
    reason = "expected 81 cells, found " + count_text(line.field_chars, "character");
    return LineKind::malformed;
  }
  // 81 characters of at most four bytes each: the kept text holds them all.
  std::array<std::size_t, 82> starts{};
  std::size_t n = 0;
  Utf8Counter counter;
  for (std::size_t i = 0; i < field.size(); ++i)
    if (counter.starts_char(field[i]) && n < 81) starts[n++] = i;
  starts[81] = field.size();
  for (std::size_t k = 0; k < 81; ++k) {
    const std::string_view c = field.substr(starts[k], starts[k + 1] - starts[k]);
    const int value = cell_value(c);
    if (value < 0) {
      reason = "cell " + std::to_string(k + 1) + ": unexpected character" + quoted(c);
      return LineKind::malformed;
    }
    puzzle[k] = static_cast<Digit>(value);
  }
  return LineKind::puzzle;
}

}  // namespace tesura::cli
