// SPDX-License-Identifier: MIT
#pragma once
// Splits a byte stream into lines with memory bounded by the chunk and the
// kept prefix, whatever the input: millions of lines, lines of gigabytes,
// NUL bytes, CRLF, a last line without a newline, a UTF-8 byte-order mark.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/puzzle_text.h"

namespace tesura::cli {

class LineReader {
 public:
  // Longer than any puzzle line can be, short enough to never matter:
  // TextLine::text holds at most this many bytes of a line.
  static constexpr std::size_t kKeep = 4096;

  // Does not own fd. before_wait runs whenever the next read would wait for
  // the writer, so that answers go out before the reader blocks.
  LineReader(int fd, std::function<void()> before_wait);

  // The next line, or false at the end of the input or on a read error.
  bool next(TextLine& line);
  // errno of the read that failed, or 0.
  int error() const { return error_; }

 private:
  bool fill();
  void skip_byte_order_mark();
  // A piece of the line; last when the line ends with it.
  void take(const char* begin, const char* end, bool last);

  int fd_;
  std::function<void()> before_wait_;
  int error_ = 0;
  bool eof_ = false;
  std::vector<char> chunk_;
  std::size_t pos_ = 0, end_ = 0;
  std::string kept_;
  std::string_view direct_;  // the line, when it lies whole in the chunk
  bool cut_ = false;
  FieldScan field_{false};
  bool started_ = false;  // a non-blank byte has been seen on this line
  std::uint64_t number_ = 0;
};

}  // namespace tesura::cli
