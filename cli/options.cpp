#include "cli/options.h"

#include <string_view>

namespace tesura::cli {

const char* usage_text() {
  return "Usage: tesura-solve [--stage] [--steps] [--stats] [--any-count] [--search-only] [FILE "
         "...]\n"
         "Solves 9x9 puzzles, one a line, from the FILEs in order, or from standard input\n"
         "when none is named (\"-\" names standard input).\n"
         "\n"
         "A line is 81 cells in reading order: 1-9 a given, 0 or . an open cell; white\n"
         "space around it is ignored. Blank lines and lines starting with # are skipped.\n"
         "Every other line gives one line of output, in input order: the 81 digits of the\n"
         "answer, \"unsolvable\", the refusal of the entry (入力個所が少な過ぎます or\n"
         "入力数値にミスがあります), or \"malformed\" with \"line N: reason\" on standard error.\n"
         "\n"
         "  --stage        put the stage that ended the solve and a tab before each line:\n"
         "                 given, propagation, trial1, trial2, search, unsolvable,\n"
         "                 refused, malformed\n"
         "  --steps        before the line of each solved puzzle, one line\n"
         "                 \"step<TAB><81 characters>\" per drawing of the board\n"
         "                 (the complete search alone draws nothing)\n"
         "  --stats        end with a summary line on standard error\n"
         "  --any-count    solve entries with fewer than 20 givens instead of refusing them\n"
         "  --search-only  answer with the complete search alone (fast batch mode)\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Exit status: 0 when every line was a puzzle, 1 when some line was malformed,\n"
         "2 for a bad option or an unreadable file.\n";
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
