// SPDX-License-Identifier: MIT
// tesura-solve: the engine's solve command over files of puzzles.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/line_format.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/puzzle_run.h"
#include "cli/stats.h"

namespace {

using namespace tesura::cli;

constexpr const char* kProgram = "tesura-solve";

void complain(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", kProgram, what.c_str());
}

std::string display_name(const std::string& file) {
  return file == "-" ? "standard input" : file;
}

// Whether a named file can be read, without opening it: opening a named
// pipe would take its writer's data, and each file is opened only once.
bool readable(const std::string& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0 || ::access(file.c_str(), R_OK) != 0) {
    complain("cannot open " + file + ": " + std::strerror(errno));
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    complain("cannot read " + file + ": " + std::strerror(EISDIR));
    return false;
  }
  return true;
}

// Writes out what is left; a write error anywhere ends with status 2.
int finish(Output& out, int status) {
  if (out.flush()) return status;
  complain(std::string("write error: ") + std::strerror(out.error()));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommand command = parse_command_line(argc, argv);
  Output out;
  switch (command.action) {
    case Action::help:
      out.buffer().append(usage_text());
      return finish(out, 0);
    case Action::version:
      out.buffer().append(std::string(kProgram) + " " + TESURA_VERSION + "\n");
      return finish(out, 0);
    case Action::error:
      complain(command.error);
      std::fprintf(stderr, "Try '%s --help' for more information.\n", kProgram);
      return 2;
    case Action::run:
      break;
  }
  const Options& options = command.options;
  std::vector<std::string> inputs = options.files;
  if (inputs.empty()) inputs.emplace_back("-");

  // Every named file is checked before any output, so a mistyped name
  // costs no half-finished run.
  bool all_readable = true;
  for (const auto& file : inputs)
    if (file != "-" && !readable(file)) all_readable = false;
  if (!all_readable) return 2;

  PuzzleRun run(options);
  Stats stats;
  bool any_malformed = false, failed = false;
  std::string reason;
  tesura::Puzzle puzzle{};
  for (const auto& file : inputs) {
    // Opening a named pipe waits for its writer: what is answered goes first.
    if (!out.flush()) break;
    const int fd = file == "-" ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      complain("cannot open " + file + ": " + std::strerror(errno));
      failed = true;
      break;
    }
    LineReader reader(fd, [&out] { out.flush(); });
    Line line;
    while (out.ok() && reader.next(line)) {
      switch (read_line(line, puzzle, reason)) {
        case LineKind::skipped:
          continue;
        case LineKind::puzzle:
          stats.add(run.run(puzzle, out.buffer()));
          break;
        case LineKind::malformed: {
          any_malformed = true;
          out.flush();  // keep the complaint after the lines before it
          const std::string where = inputs.size() > 1 ? display_name(file) + ": " : "";
          std::fprintf(stderr, "%sline %llu: %s\n", where.c_str(),
                       static_cast<unsigned long long>(line.number), reason.c_str());
          run.malformed(out.buffer());
          stats.add(RunResult{});
          break;
        }
      }
      out.line_done();
    }
    if (reader.error() != 0) {
      out.flush();
      complain("cannot read " + display_name(file) + ": " + std::strerror(reader.error()));
      failed = true;
    }
    if (fd != STDIN_FILENO) ::close(fd);
    if (failed || !out.ok()) break;
  }
  const int status = finish(out, failed ? 2 : any_malformed ? 1 : 0);
  if (options.stats) std::fprintf(stderr, "%s\n", stats.summary().c_str());
  return status;
}
