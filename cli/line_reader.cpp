// SPDX-License-Identifier: MIT
#include "cli/line_reader.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

namespace tesura::cli {

namespace {
constexpr std::size_t kChunk = 1 << 16;
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
}  // namespace

LineReader::LineReader(int fd, std::function<void()> before_wait)
    : fd_(fd), before_wait_(std::move(before_wait)), chunk_(kChunk) {
  kept_.reserve(kKeep);
}

// Reads more after the unread bytes, which move to the front.
bool LineReader::fill() {
  if (eof_) return false;
  std::memmove(chunk_.data(), chunk_.data() + pos_, end_ - pos_);
  end_ -= pos_;
  pos_ = 0;
  pollfd ready{fd_, POLLIN, 0};
  if (::poll(&ready, 1, 0) != 1) before_wait_();
  for (;;) {
    const ssize_t n = ::read(fd_, chunk_.data() + end_, chunk_.size() - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

void LineReader::skip_byte_order_mark() {
  // A mark cut short by the read goes on until the input tells.
  while (end_ - pos_ < kByteOrderMark.size() &&
         kByteOrderMark.starts_with(std::string_view(chunk_.data() + pos_, end_ - pos_)) &&
         fill()) {
  }
  if (std::string_view(chunk_.data() + pos_, end_ - pos_).starts_with(kByteOrderMark))
    pos_ += kByteOrderMark.size();
}

void LineReader::take(const char* begin, const char* end, bool last) {
  if (!started_) {
    while (begin != end && is_blank(*begin)) ++begin;
    if (begin == end) return;
    started_ = true;
  }
  const auto size = static_cast<std::size_t>(end - begin);
  if (last && kept_.empty()) {
    // A line that lies whole in the chunk is read where it lies.
    direct_ = std::string_view(begin, std::min(size, kKeep));
    cut_ = size > kKeep;
  } else {
    const std::size_t room = kKeep - kept_.size();
    kept_.append(begin, std::min(size, room));
    cut_ = cut_ || size > room;
  }
  field_.feed(begin, end);
}

bool LineReader::next(TextLine& line) {
  if (number_ == 0) skip_byte_order_mark();
  kept_.clear();
  direct_ = {};
  cut_ = started_ = false;
  // Only a first line can be a header, decided by its cells.
  field_ = FieldScan(number_ == 0);
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
    take(begin, nl ? nl : end, nl != nullptr);
    if (nl) {
      pos_ += static_cast<std::size_t>(nl - begin) + 1;
      break;
    }
    pos_ = end_;
  }
  line.text = kept_.empty() ? direct_ : std::string_view(kept_);
  line.cut = cut_;
  line.field_chars = field_.chars();
  line.field_has_cell = field_.has_cell();
  line.number = ++number_;
  return true;
}

}  // namespace tesura::cli
