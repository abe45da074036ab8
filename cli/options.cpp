// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

#include "model/texts.h"

namespace tesura::cli {

std::string usage_text() {
  return std::string(
             "Usage: tesura-solve [--stage] [--steps] [--grid] [--stats] [--any-count]\n"
             "                    [--search-only] [--jobs [N]] [FILE ...]\n"
             "Solves 9x9 puzzles from the FILEs in order, or from standard input when none\n"
             "is named (\"-\" names standard input). Each FILE is opened once, so a named\n"
             "pipe, /dev/stdin or a process substitution works.\n"
             "\n"
             "Cells: 1-9 a given; . 0 _ * or - an open cell; full-width digits and dots\n"
             "read as these. A puzzle is written as\n"
             "  a line of 81 cells in reading order, after optional white space; the cells\n"
             "    end at the end of the line or at a separator (white space , ; # |) and\n"
             "    what follows is ignored: a comment, a rating, a solution column;\n"
             "  a grid: 9 lines of 9 cells (no -), each in groups of 1, 3 or 9 split by\n"
             "    spaces or |, with rule lines of - + = | between them skipped;\n"
             "  a line of 27 groups of 3 or 9 groups of 9 cells, split by spaces or |; a\n"
             "    comment may follow that does not start with a cell character.\n"
             "Skipped: blank lines, lines starting with #, a first line with no cell\n"
             "character before its first separator (a header such as \"quizzes,solutions\"),\n"
             "and a UTF-8 byte-order mark at the start of a file.\n"
             "Every other line, or grid, gives one line of output, in input order: the 81\n"
             "digits of the answer, \"unsolvable\", the refusal of the entry (") +
         texts::kTooFew + "\nor " + texts::kRepeat +
         "), or \"malformed\" with \"line N: reason\" on standard\n"
         "error. A file that gives no puzzle is said on standard error: \"FILE: no\n"
         "puzzles\". The answers are written out whenever the input has to be waited\n"
         "for, so a program that writes one puzzle and waits reads its answer at once.\n"
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
         "  --jobs [N]     solve on N threads (without N, or 0: one per core); the output\n"
         "                 is the same, in the same order; the next argument is taken for\n"
         "                 N when it is a number (write ./5 for a file named 5)\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Exit status: 0 when every line was read, 1 when some line was malformed or a\n"
         "file held only a header, 2 for a bad option, an unreadable file or a\n"
         "write error (each with a message on standard error).\n";
}

namespace {

constexpr int kMaxJobs = 1024;

// N of --jobs: 0 to kMaxJobs in decimal, or nothing.
std::optional<int> job_count(std::string_view text) {
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || n < 0 ||
      n > kMaxJobs)
    return std::nullopt;
  return n;
}

// The options that only switch something on.
constexpr std::array<std::pair<std::string_view, bool Options::*>, 6> kFlags = {{
    {"--stage", &Options::stage},
    {"--steps", &Options::steps},
    {"--grid", &Options::grid},
    {"--stats", &Options::stats},
    {"--any-count", &Options::any_count},
    {"--search-only", &Options::search_only},
}};

bool Options::*flag_of(std::string_view arg) {
  for (const auto& [name, flag] : kFlags)
    if (arg == name) return flag;
  return nullptr;
}

}  // namespace

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
    } else if (bool Options::*flag = flag_of(arg)) {
      o.*flag = true;
    } else if (arg == "--jobs" || arg.starts_with("--jobs=")) {
      const bool given = arg.size() > 6;
      std::string_view n = given ? arg.substr(7) : std::string_view();
      const auto number = [](std::string_view a) {
        return !a.empty() && a.find_first_not_of("0123456789") == std::string_view::npos;
      };
      if (!given && i + 1 < argc && number(argv[i + 1])) n = argv[++i];
      const std::optional<int> jobs = n.empty() && !given ? std::optional(0) : job_count(n);
      if (!jobs) {
        parsed.action = Action::error;
        parsed.error = "invalid number of jobs '" + std::string(n) + "' (0 to " +
                       std::to_string(kMaxJobs) + ")";
        return parsed;
      }
      o.jobs = *jobs;
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
