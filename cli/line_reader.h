#pragma once
// Splits a byte stream into lines with memory bounded by the chunk and the
// kept prefix, whatever the input: millions of lines, lines of gigabytes,
// NUL bytes, CRLF, a last line without a newline.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tesura::cli {

struct Line {
  // The line without its leading white space, cut to LineReader::kKeep
  // bytes; trailing white space (a CR included) is still there.
  std::string_view text;
  // Length without white space at either end, exact however long the line.
  // When it is no more than kKeep, text holds all of it.
  std::uint64_t trimmed_length = 0;
  std::uint64_t number = 0;  // 1-based
};

class LineReader {
 public:
  // Longer than any puzzle line can be, short enough to never matter.
  static constexpr std::size_t kKeep = 4096;

  explicit LineReader(int fd);  // does not own fd

  // The next line, or false at the end of the input or on a read error.
  bool next(Line& line);
  // errno of the read that failed, or 0.
  int error() const { return error_; }

 private:
  bool fill();
  void take(const char* begin, const char* end);

  int fd_;
  int error_ = 0;
  bool eof_ = false;
  std::vector<char> chunk_;
  std::size_t pos_ = 0, end_ = 0;
  std::string kept_;
  std::uint64_t content_ = 0;  // bytes since the first non-blank one
  std::uint64_t trimmed_ = 0;  // up to and including the last non-blank one
  bool started_ = false;       // a non-blank byte has been seen on this line
  std::uint64_t number_ = 0;
};

}  // namespace tesura::cli
