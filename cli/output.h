// SPDX-License-Identifier: MIT
#pragma once
// Standard output through one buffer: written out when it has grown large,
// and whenever the command is about to wait for more input, so a batch
// run makes few writes and a co-process gets each answer at once.
#include <cstddef>
#include <string>

namespace tesura::cli {

class Output {
 public:
  Output();

  std::string& buffer() { return buffer_; }
  // Called after each output line: writes out a large buffer.
  void line_done();
  // Writes the buffer out. After a write error nothing more is written and
  // error() says why.
  bool flush();
  bool ok() const { return error_ == 0; }
  int error() const { return error_; }

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;
  int error_ = 0;
  std::string buffer_;
};

}  // namespace tesura::cli
