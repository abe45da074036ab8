#include "cli/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tesura::cli {

namespace {
// The white space the puzzle parser ignores around a line.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
constexpr std::size_t kChunk = 1 << 16;
}  // namespace

LineReader::LineReader(int fd) : fd_(fd), chunk_(kChunk) {
  kept_.reserve(kKeep);
}

bool LineReader::fill() {
  if (eof_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, chunk_.data(), chunk_.size());
    if (n > 0) {
      pos_ = 0;
      end_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

void LineReader::take(const char* begin, const char* end) {
  if (!started_) {
    while (begin != end && is_blank(*begin)) ++begin;
    if (begin == end) return;
    started_ = true;
  }
  const auto size = static_cast<std::size_t>(end - begin);
  if (kept_.size() < kKeep) kept_.append(begin, std::min(size, kKeep - kept_.size()));
  for (const char* p = end; p != begin; --p)
    if (!is_blank(p[-1])) {
      trimmed_ = content_ + static_cast<std::uint64_t>(p - begin);
      break;
    }
  content_ += size;
}

bool LineReader::next(Line& line) {
  kept_.clear();
  content_ = trimmed_ = 0;
  started_ = false;
  bool any = false;  // some byte of this line was read, if only its newline
  for (;;) {
    if (pos_ == end_ && !fill()) {
      if (!any || error_ != 0) return false;
      break;  // a last line without a newline
    }
    any = true;
    const char* begin = chunk_.data() + pos_;
    const char* end = chunk_.data() + end_;
    const char* nl = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
    take(begin, nl ? nl : end);
    if (nl) {
      pos_ += static_cast<std::size_t>(nl - begin) + 1;
      break;
    }
    pos_ = end_;
  }
  line.text = kept_;
  line.trimmed_length = trimmed_;
  line.number = ++number_;
  return true;
}

}  // namespace tesura::cli
