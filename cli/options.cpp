// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <string_view>

namespace tesura::cli {

const char* usage_text() {
  return "Usage: tesura-solve [--stage] [--steps] [--grid] [--stats] [--any-count]\n"
         "                    [--search-only] [FILE ...]\n"
         "Solves 9x9 puzzles, one a line, from the FILEs in order, or from standard input\n"
         "when none is named (\"-\" names standard input). Each FILE is opened once, so a\n"
         "named pipe, /dev/stdin or a process substitution works.\n"
         "\n"
         "A puzzle line is 81 cells in reading order, after optional white space:\n"
         "1-9 a given; . 0 _ * or - an open cell. The cells end at the end of the line\n"
         "or at a separator (white space , ; # |); what follows is ignored: a comment,\n"
         "a rating, a solution column. Skipped: blank lines, lines starting with #, a\n"
         "first line with no cell character before its first separator (a header such\n"
         "as \"quizzes,solutions\"), and a UTF-8 byte-order mark at the start of a file.\n"
         "Every other line gives one line of output, in input order: the 81 digits of the\n"
         "answer, \"unsolvable\", the refusal of the entry (入力個所が少な過ぎます or\n"
         "入力数値にミスがあります), or \"malformed\" with \"line N: reason\" on standard error.\n"
         "The answers are written out whenever the input has to be waited for, so a\n"
         "program that writes one puzzle and waits reads its answer at once.\n"
         "\n"
         "  --stage        put the stage that ended the solve and a tab before each line:\n"
         "                 given, propagation, trial1, trial2, search, unsolvable,\n"
         "                 refused, malformed\n"
         "  --steps        before the line of each solved puzzle, one line\n"
         "                 \"step<TAB><81 characters>\" per drawing of the board\n"
         "                 (the complete search alone draws nothing)\n"
         "  --grid         draw answers and steps as 9x9 grids with block rules, for a\n"
         "                 person at a terminal; the stage and \"step\" stand on a line of\n"
         "                 their own above the grid, and a blank line ends each record\n"
         "  --stats        end with a summary line on standard error\n"
         "  --any-count    solve entries with fewer than 20 givens instead of refusing them\n"
         "  --search-only  answer with the complete search alone (fast batch mode)\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Exit status: 0 when every line was a puzzle, 1 when some line was malformed,\n"
         "2 for a bad option, an unreadable file or a write error (each with a message\n"
         "on standard error).\n";
}

ParsedCommand parse_command_line(int argc, const char* const* argv) {
  ParsedCommand parsed;
  Options& o = parsed.options;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options_done || arg == "-" || !arg.starts_with("-")) {
      o.files.emplace_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "--stage") {
      o.stage = true;
    } else if (arg == "--steps") {
      o.steps = true;
    } else if (arg == "--grid") {
      o.grid = true;
    } else if (arg == "--stats") {
      o.stats = true;
    } else if (arg == "--any-count") {
      o.any_count = true;
    } else if (arg == "--search-only") {
      o.search_only = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.action = Action::help;
      return parsed;
    } else if (arg == "--version") {
      parsed.action = Action::version;
      return parsed;
    } else {
      parsed.action = Action::error;
      parsed.error = "unknown option '" + std::string(arg) + "'";
      return parsed;
    }
  }
  return parsed;
}

}  // namespace tesura::cli
