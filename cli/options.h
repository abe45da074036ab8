// SPDX-License-Identifier: MIT
#pragma once
// The command line of tesura-solve.
#include <string>
#include <vector>

namespace tesura::cli {

struct Options {
  bool stage = false;              // --stage: the stage and a tab before each line
  bool steps = false;              // --steps: a step line per drawing of the board
  bool grid = false;               // --grid: answers and steps as 9x9 grids
  bool stats = false;              // --stats: a summary line on stderr at the end
  bool any_count = false;          // --any-count: no minimum number of givens
  bool search_only = false;        // --search-only: the complete search alone
  int jobs = 1;                    // --jobs: threads that solve; 0 = one per core
  std::vector<std::string> files;  // in order; "-" is standard input; none = stdin
};

enum class Action { run, help, version, error };

struct ParsedCommand {
  Action action = Action::run;
  Options options;
  std::string error;  // for Action::error
};

// Options and file names may be mixed; "--" ends the options. The first
// --help, --version or bad option decides, in command-line order.
ParsedCommand parse_command_line(int argc, const char* const* argv);

// The text --help prints.
std::string usage_text();

}  // namespace tesura::cli
