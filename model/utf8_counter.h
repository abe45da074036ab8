// SPDX-License-Identifier: MIT
#pragma once
// Where UTF-8 characters start, byte by byte, so that lengths in messages
// count characters: a full-width digit is one, not three.

namespace tesura {

// The length of the sequence a UTF-8 lead byte announces; 0 for a byte
// that cannot lead one.
constexpr int utf8_sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// A byte starts a character unless it continues the sequence its lead byte
// announced; a stray byte counts as a character of its own.
class Utf8Counter {
 public:
  constexpr bool starts_char(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) {
      pending_ = 0;
      return true;
    }
    if (pending_ > 0 && (b & 0xc0) == 0x80) {
      --pending_;
      return false;
    }
    const int length = utf8_sequence_length(b);
    pending_ = length > 1 ? length - 1 : 0;
    return true;
  }

 private:
  int pending_ = 0;  // continuation bytes still expected
};

}  // namespace tesura
