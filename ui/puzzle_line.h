// SPDX-License-Identifier: MIT
#pragma once
// A puzzle as one line of text, the way a user has it from a web page, a
// file or the batch solver's output.
#include <QString>
#include <optional>

#include "model/puzzle.h"

namespace tesura::ui {

// Optional leading white space, then 81 cells in reading order ("1"-"9" a
// digit; ".", "0", "_", "*" or "-" a blank), then the end of the text or a
// separator (white space, ",", ";", "#" or "|") and anything after it.
// Anything else is no puzzle.
std::optional<Puzzle> read_puzzle_line(const QString& text);

}  // namespace tesura::ui
