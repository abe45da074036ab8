// tesura-solve: the engine's solve command over files of puzzles.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/line_reader.h"
#include "cli/options.h"
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

// Opens a named file for reading; -1 with a message when that cannot be done.
int open_input(const std::string& file) {
  if (file == "-") return STDIN_FILENO;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    complain("cannot open " + file + ": " + std::strerror(errno));
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    complain("cannot read " + file + ": " + std::strerror(EISDIR));
    ::close(fd);
    return -1;
  }
  return fd;
}

// Standard output through one buffer written in large pieces; line by line
// when a person is watching.
class Output {
 public:
  Output() : interactive_(::isatty(STDOUT_FILENO) == 1) { buffer_.reserve(kFlushAt * 2); }
  std::string& buffer() { return buffer_; }
  void line_done() {
    if (interactive_ || buffer_.size() >= kFlushAt) flush();
  }
  bool flush() {
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0 && ok_) {
      const ssize_t n = ::write(STDOUT_FILENO, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        complain(std::string("write error: ") + std::strerror(errno));
        ok_ = false;
        break;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;
  bool interactive_;
  bool ok_ = true;
  std::string buffer_;
};

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommand command = parse_command_line(argc, argv);
  switch (command.action) {
    case Action::help:
      std::fputs(usage_text(), stdout);
      return 0;
    case Action::version:
      std::printf("%s %s\n", kProgram, TESURA_VERSION);
      return 0;
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
  for (const auto& file : inputs) {
    if (file == "-") continue;
    const int fd = open_input(file);
    if (fd < 0)
      all_readable = false;
    else
      ::close(fd);
  }
  if (!all_readable) return 2;

  PuzzleRun run(options);
  Stats stats;
  Output out;
  bool any_malformed = false, failed = false;
  std::string reason;
  tesura::Puzzle puzzle{};
  for (const auto& file : inputs) {
    const int fd = open_input(file);
    if (fd < 0) {
      failed = true;
      break;
    }
    LineReader reader(fd);
    Line line;
    while (reader.next(line) && out.ok()) {
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
  out.flush();
  if (options.stats) std::fprintf(stderr, "%s\n", stats.summary().c_str());
  if (failed || !out.ok()) return 2;
  return any_malformed ? 1 : 0;
}
