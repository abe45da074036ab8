// SPDX-License-Identifier: MIT
#include "model/puzzle_text.h"

#include <algorithm>
#include <cstring>

namespace tesura {

const std::array<ByteClass, 256> kByteClasses = [] {
  std::array<ByteClass, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    ByteClass& c = classes[b];
    c.blank = std::string_view(" \t\n\v\f\r").find(static_cast<char>(b)) != std::string_view::npos;
    c.separator =
        c.blank || std::string_view(",;#|").find(static_cast<char>(b)) != std::string_view::npos;
    c.cell = ascii_cell(static_cast<unsigned char>(b));
  }
  return classes;
}();

namespace {

// The full-width cells: EF BC 8E is ．, EF BC 90 to 99 are ０ to ９.
constexpr unsigned char kWide0 = 0xEF, kWide1 = 0xBC;
constexpr int wide_cell(unsigned char last) {
  if (last == 0x8E) return 0;
  return last >= 0x90 && last <= 0x99 ? last - 0x90 : -1;
}

// The first 81 bytes of text as ASCII cells into puzzle; false when one is
// none. Sixteen bytes at a time in vector arithmetic (ascii_cell's rule),
// since every line of a collection goes through here.
bool ascii_cells(const char* text, Puzzle& puzzle) {
  using Bytes = unsigned char __attribute__((vector_size(16)));
  Bytes bad{};
  for (int at = 0; at < 80; at += 16) {
    Bytes c;
    std::memcpy(&c, text + at, sizeof c);
    const Bytes digit = c - '0';
    const auto given = reinterpret_cast<Bytes>(digit - 1 < 9);
    const auto open =
        reinterpret_cast<Bytes>((c == '.') | (digit == 0) | (c == '_') | (c == '*') | (c == '-'));
    const Bytes cell = digit & given;
    bad |= ~(given | open);
    for (int k = 0; k < 16; ++k) puzzle[at + k] = static_cast<Digit>(cell[k]);
  }
  const int last = ascii_cell(static_cast<unsigned char>(text[80]));
  puzzle[80] = static_cast<Digit>(last);
  unsigned char any = 0;
  for (int k = 0; k < 16; ++k) any |= bad[k];
  return any == 0 && last >= 0;
}

// ASCII bytes that are no separator: a character each.
const std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int b = 0; b < 0x80; ++b) plain[b] = !is_separator(static_cast<char>(b));
  return plain;
}();

std::string count_text(std::uint64_t n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// The character at text[at] quoted for a message, or nothing when it is a
// control character or not whole UTF-8.
std::string quoted(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = utf8_sequence_length(lead);
  bool shown = length == 1 ? lead >= 0x20 && lead < 0x7f : length > 1;
  for (int k = 1; shown && k < length; ++k)
    shown = at + k < text.size() && (static_cast<unsigned char>(text[at + k]) & 0xC0) == 0x80;
  return shown ? " '" + std::string(text.substr(at, length)) + "'" : std::string();
}

std::string unexpected(std::uint64_t cell, std::string_view text, std::size_t at) {
  return "cell " + std::to_string(cell) + ": unexpected character" + quoted(text, at);
}

bool is_rule_line(std::string_view text) {
  bool rule = false;
  for (const char c : text) {
    if (c == '-' || c == '+' || c == '=')
      rule = true;
    else if (c != '|' && !is_blank(c))
      return false;
  }
  return rule;
}

// Runs of cells split by blanks and '|', from the start of a line.
struct Groups {
  Puzzle cells{};        // the first 81
  int count = 0;         // cells read
  int groups = 0;        // runs read
  int size = 0;          // cells in the first run
  int odd = 0;           // the first run of another size (1-based), 0 if none
  int odd_size = 0;      // its size
  int before_odd = 0;    // cells before it
  std::size_t stop = 0;  // where the runs end: the end, or no cell, blank or '|'
  bool glued = false;    // text[stop] follows a cell and is no separator
};

Groups scan_groups(std::string_view text, bool dash_is_cell) {
  Groups g;
  const auto cell = [&](std::size_t at) {
    const CellChar c = cell_at(text.substr(at));
    return dash_is_cell || text[at] != '-' ? c : CellChar{};
  };
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && (is_blank(text[i]) || text[i] == '|')) ++i;
    g.stop = i;
    if (i == text.size() || cell(i).cell < 0) return g;
    int size = 0;
    for (CellChar c; i < text.size() && (c = cell(i)).cell >= 0; i += c.length, ++size, ++g.count)
      if (g.count < 81) g.cells[g.count] = static_cast<Digit>(c.cell);
    if (++g.groups == 1) g.size = size;
    if (size != g.size && g.odd == 0) {
      g.odd = g.groups;
      g.odd_size = size;
      g.before_odd = g.count - size;
    }
    if (i < text.size() && !is_blank(text[i]) && text[i] != '|') {
      g.stop = i;
      g.glued = !is_separator(text[i]);
      return g;
    }
  }
}

// Nine cells in runs of one size, 1, 3 or 9, and nothing else.
bool is_row(const Groups& g, std::string_view text) {
  return g.count == 9 && g.odd == 0 && g.stop == text.size() && !g.glued;
}

}  // namespace

CellChar cell_at(std::string_view text) {
  const int ascii = byte_class(text[0]).cell;
  if (ascii >= 0 || static_cast<unsigned char>(text[0]) != kWide0) return {ascii, 1};
  if (text.size() < 3 || static_cast<unsigned char>(text[1]) != kWide1) return {};
  const int wide = wide_cell(static_cast<unsigned char>(text[2]));
  return wide < 0 ? CellChar{} : CellChar{wide, 3};
}

void FieldScan::feed(const char* begin, const char* end) {
  if (done_) return;
  // Counted in locals: the compiler cannot tell the members from the bytes.
  Utf8Counter utf8 = utf8_;
  std::uint64_t chars = chars_;
  const char* p = begin;
  const auto plain = [](const char* b) {
    return static_cast<unsigned>(kPlain[static_cast<unsigned char>(*b)]);
  };
  for (;;) {
    // Eight bytes at a time with one branch while all are plain, as the
    // cells of a puzzle are.
    const char* q = p;
    while (end - q >= 8 && (plain(q) & plain(q + 1) & plain(q + 2) & plain(q + 3) & plain(q + 4) &
                            plain(q + 5) & plain(q + 6) & plain(q + 7)))
      q += 8;
    while (q != end && plain(q)) ++q;
    if (q != p) {
      chars += static_cast<std::uint64_t>(q - p);
      utf8 = Utf8Counter();
      p = q;
    }
    if (p == end || is_separator(*p)) break;
    chars += utf8.starts_char(*p) ? 1 : 0;
    ++p;
  }
  if (cells_) {
    for (const char* b = begin; b != p && !has_cell_; ++b) {
      const auto byte = static_cast<unsigned char>(*b);
      has_cell_ = byte_class(*b).cell >= 0 || (wide_ == 2 && wide_cell(byte) >= 0);
      wide_ = byte == kWide0 ? 1 : wide_ == 1 && byte == kWide1 ? 2 : 0;
    }
  }
  done_ = p != end;
  chars_ = chars;
  utf8_ = utf8;
}

Reading& PuzzleTextReader::add(ReadingKind kind, std::uint64_t line) {
  Reading& r = out_[count_++];
  r.kind = kind;
  r.line = line;
  return r;
}

void PuzzleTextReader::end_grid() {
  if (grid_line_ == 0) return;
  add(ReadingKind::malformed, grid_line_).reason =
      "incomplete grid: " + std::to_string(rows_) + " of 9 rows";
  grid_line_ = 0;
  rows_ = 0;
}

bool PuzzleTextReader::read_row(std::string_view text) {
  const Groups g = scan_groups(text, false);
  if (!is_row(g, text)) return false;
  std::copy_n(g.cells.begin(), 9, grid_.begin() + rows_ * 9);
  ++rows_;
  return true;
}

std::span<const Reading> PuzzleTextReader::read(const TextLine& line) {
  count_ = 0;
  const std::string_view text = line.text;
  if (text.empty()) {
    end_grid();
    after_grid_ = false;
  } else if (text.front() != '#') {
    if (grid_line_ != 0 && !line.cut) {
      if (read_row(text)) {
        if (rows_ == 9) {
          add(ReadingKind::puzzle, grid_line_).puzzle = grid_;
          grid_line_ = 0;
          rows_ = 0;
          after_grid_ = true;
        }
        return {out_.data(), static_cast<std::size_t>(count_)};
      }
      if (is_rule_line(text)) return {};
    }
    end_grid();
    // A rule right after a grid is its bottom border.
    if (!(after_grid_ && !line.cut && is_rule_line(text))) {
      after_grid_ = false;
      read_alone(line);
    }
  }
  return {out_.data(), static_cast<std::size_t>(count_)};
}

std::span<const Reading> PuzzleTextReader::finish() {
  count_ = 0;
  end_grid();
  return {out_.data(), static_cast<std::size_t>(count_)};
}

// A line read with no grid open.
void PuzzleTextReader::read_alone(const TextLine& line) {
  const std::string_view text = line.text;
  const bool header = line.number == 1 && !line.field_has_cell;
  if (line.field_chars == 81) {
    Puzzle& puzzle = out_[count_].puzzle;
    if (ascii_cells(text.data(), puzzle)) {
      add(ReadingKind::puzzle, line.number);
      return;
    }
    if (header) {
      header_skipped_ = true;
      return;
    }
    std::size_t at = 0;
    for (std::size_t k = 0; k < 81; ++k) {
      const CellChar c = cell_at(text.substr(at));
      if (c.cell < 0) {
        add(ReadingKind::malformed, line.number).reason = unexpected(k + 1, text, at);
        return;
      }
      puzzle[k] = static_cast<Digit>(c.cell);
      at += static_cast<std::size_t>(c.length);
    }
    add(ReadingKind::puzzle, line.number);
    return;
  }
  if (!line.cut) {
    if (const Groups row = scan_groups(text, false); is_row(row, text)) {
      std::copy_n(row.cells.begin(), 9, grid_.begin());
      grid_line_ = line.number;
      rows_ = 1;
      return;
    }
    if (is_rule_line(text)) {
      grid_line_ = line.number;
      rows_ = 0;
      return;
    }
  }
  const Groups g = scan_groups(text, true);
  if (g.groups >= 2 && (g.size == 3 || g.size == 9)) {
    std::string reason;
    if (g.glued && g.count <= 81)
      reason = unexpected(static_cast<std::uint64_t>(g.count) + 1, text, g.stop);
    else if (g.odd != 0 && g.before_odd < 81)
      reason = "group " + std::to_string(g.odd) + " holds " + count_text(g.odd_size, "cell");
    else if (g.count > 81 || g.glued)
      reason = "more cells after the 81st; start a comment with #";
    else if (g.count < 81)
      reason = "found " + count_text(g.count, "cell") + ", expected 81";
    else if (line.cut && g.stop == text.size())
      reason = "line too long";
    if (reason.empty())
      add(ReadingKind::puzzle, line.number).puzzle = g.cells;
    else
      add(ReadingKind::malformed, line.number).reason =
          "groups of " + std::to_string(g.size) + ": " + reason;
    return;
  }
  if (header) {
    header_skipped_ = true;
    return;
  }
  add(ReadingKind::malformed, line.number).reason =
      "expected 81 cells, found " + count_text(line.field_chars, "character");
}

std::optional<Puzzle> parse_puzzle(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  PuzzleTextReader reader;
  for (std::uint64_t number = 1;; ++number) {
    const std::size_t nl = text.find('\n');
    std::string_view rest = text.substr(0, nl);
    while (!rest.empty() && is_blank(rest.front())) rest.remove_prefix(1);
    FieldScan field(true);
    field.feed(rest.data(), rest.data() + rest.size());
    const TextLine line{rest, false, field.chars(), field.has_cell(), number};
    for (const Reading& r : reader.read(line))
      return r.kind == ReadingKind::puzzle ? std::optional(r.puzzle) : std::nullopt;
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return std::nullopt;
}

}  // namespace tesura
