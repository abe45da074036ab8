// SPDX-License-Identifier: MIT
// tesura-solve: the engine's solve command over files of puzzles.
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/batch.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/puzzle_run.h"
#include "cli/stats.h"

namespace {

using namespace tesura::cli;
using tesura::PuzzleTextReader;
using tesura::Reading;
using tesura::ReadingKind;
using tesura::TextLine;

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

// The cores this process may run on.
int cores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(CPU_COUNT(&set), 1);
  return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
}

}  // namespace

int main(int argc, char** argv) {
  // A closed standard input is held by /dev/null, so that no file opened
  // later takes descriptor 0 and is read again for "-".
  const bool stdin_closed = ::fcntl(STDIN_FILENO, F_GETFD) < 0 && errno == EBADF &&
                            ::open("/dev/null", O_RDONLY | O_CLOEXEC) == STDIN_FILENO;
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

  Stats stats;
  bool any_malformed = false, only_header = false, failed = false;
  std::unique_ptr<Batch> batch;
  try {
    batch = make_batch(options, options.jobs == 0 ? cores() : options.jobs, out, stats);
  } catch (const std::system_error& error) {
    complain(std::string("cannot start the jobs: ") + error.what());
    return 2;
  }
  for (const auto& file : inputs) {
    // Opening a named pipe waits for its writer: what is answered goes first.
    batch->drain();
    if (!batch->ok()) break;
    const int fd = file == "-" ? (stdin_closed ? -1 : STDIN_FILENO)
                               : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      const int error = file == "-" ? EBADF : errno;
      complain((file == "-" ? "cannot read " : "cannot open ") + display_name(file) + ": " +
               std::strerror(error));
      failed = true;
      break;
    }
    const std::string where = inputs.size() > 1 ? display_name(file) + ": " : "";
    LineReader reader(fd, [&batch] { batch->reader_waits(); });
    PuzzleTextReader text;
    bool any_puzzle = false;
    const auto take = [&](std::span<const Reading> readings) {
      for (const Reading& reading : readings) {
        any_puzzle = any_puzzle || reading.kind == ReadingKind::puzzle;
        any_malformed = any_malformed || reading.kind == ReadingKind::malformed;
        batch->take(reading, where);
      }
    };
    TextLine line;
    while (batch->ok() && reader.next(line)) take(text.read(line));
    if (batch->ok() && reader.error() == 0) take(text.finish());
    batch->drain();
    if (reader.error() != 0) {
      complain("cannot read " + display_name(file) + ": " + std::strerror(reader.error()));
      failed = true;
    } else if (!any_puzzle && batch->ok()) {
      // Said, so that an empty result is not taken for a quiet success;
      // a lone header was a line that gave nothing.
      if (text.header_skipped())
        std::fprintf(stderr, "%s: line 1: skipped as a header\n", display_name(file).c_str());
      std::fprintf(stderr, "%s: no puzzles\n", display_name(file).c_str());
      only_header = only_header || text.header_skipped();
    }
    if (fd != STDIN_FILENO) ::close(fd);
    if (failed || !batch->ok()) break;
  }
  batch.reset();  // every thread ends before the last write
  const int status = finish(out, failed ? 2 : any_malformed || only_header ? 1 : 0);
  if (options.stats) std::fprintf(stderr, "%s\n", stats.summary().c_str());
  return status;
}
