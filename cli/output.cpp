// SPDX-License-Identifier: MIT
#include "cli/output.h"

#include <unistd.h>

#include <cerrno>

namespace tesura::cli {

Output::Output() {
  buffer_.reserve(kFlushAt * 2);
}

void Output::line_done() {
  if (buffer_.size() >= kFlushAt) flush();
}

bool Output::flush() {
  const char* p = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && ok()) {
    const ssize_t n = ::write(STDOUT_FILENO, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  buffer_.clear();
  return ok();
}

}  // namespace tesura::cli
