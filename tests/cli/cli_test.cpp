// The command-line contract of tesura-solve, through the real binary.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Solvable by singles alone, with its one solution.
constexpr const char* kEasy =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
constexpr const char* kEasyAnswer =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// One solution that the trial levels do not find.
constexpr const char* kHard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
constexpr const char* kHardAnswer =
    "812753649943682175675491283154237896369845721287169534521974368438526917796318452";
// No solution, though propagation alone fills every cell (with two 8s in row 2).
constexpr const char* kNoSolution =
    "400000001000030609000002000800006000200000415050001070000019700360047000008000300";
// 17 givens: refused unless --any-count.
constexpr const char* kSeventeen =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";
// Two 1s in row 1.
constexpr const char* kRepeat =
    "113020600900305001001806400008102900700000008006708200002609500800203009005010300";
// Several solutions.
constexpr const char* kSeveral =
    "8.........95.......76.........426798...571243...893165......916....3.487....1.532";

constexpr const char* kTooFew = "入力個所が少な過ぎます";
constexpr const char* kRepeated = "入力数値にミスがあります";

struct Outcome {
  int status = -1;
  std::string out, err;
  std::vector<std::string> out_lines() const { return lines(out); }
  std::vector<std::string> err_lines() const { return lines(err); }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("tesura_cli_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string file(const std::string& name, const std::string& content) const {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  // Runs tesura-solve with args, standard input from input.
  Outcome run(const std::vector<std::string>& args, const std::string& input = "") const {
    const std::string in = file("stdin.txt", input);
    const std::string out = (dir_ / "stdout.txt").string(), err = (dir_ / "stderr.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> argv_text = {TESURA_SOLVE_BINARY};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Outcome result;
    if (posix_spawn(&pid, TESURA_SOLVE_BINARY, &actions, nullptr, argv.data(), environ) == 0) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = slurp(out);
    result.err = slurp(err);
    return result;
  }

  static std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

std::string cells(std::string_view puzzle) {
  std::string text;
  for (const char c : puzzle)
    if (c == '.' || (c >= '0' && c <= '9')) text.push_back(c == '0' ? '.' : c);
  return text;
}

// answer is a full grid with every unit a permutation of 1-9 and keeps
// every given of puzzle.
::testing::AssertionResult completes(std::string_view puzzle, std::string_view answer) {
  const std::string givens = cells(puzzle);
  if (answer.size() != 81) return ::testing::AssertionFailure() << "not 81 cells: " << answer;
  for (int i = 0; i < 81; ++i) {
    if (answer[i] < '1' || answer[i] > '9')
      return ::testing::AssertionFailure() << "open cell " << i << ": " << answer;
    if (givens[i] != '.' && givens[i] != answer[i])
      return ::testing::AssertionFailure() << "given " << i << " changed: " << answer;
  }
  for (int u = 0; u < 9; ++u) {
    std::array<int, 3> seen{};
    for (int k = 0; k < 9; ++k) {
      const int row = u * 9 + k, col = k * 9 + u, box = (u / 3 * 3 + k / 3) * 9 + u % 3 * 3 + k % 3;
      seen[0] |= 1 << (answer[row] - '0');
      seen[1] |= 1 << (answer[col] - '0');
      seen[2] |= 1 << (answer[box] - '0');
    }
    for (const int s : seen)
      if (s != 0x3fe)
        return ::testing::AssertionFailure() << "unit " << u << " repeats: " << answer;
  }
  return ::testing::AssertionSuccess();
}

// The summary line: the nine counts in order into counts, then the four
// times with two decimals (three for the total).
::testing::AssertionResult parse_summary(const std::string& line, std::vector<int>& counts) {
  static const char* const keys[] = {
      "puzzles", "given",     "propagation", "trial1",  "trial2", "search", "unsolvable",
      "refused", "malformed", "median_us",   "mean_us", "max_us", "total_s"};
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word != "stats:") return ::testing::AssertionFailure() << "no stats:";
  for (const char* key : keys) {
    if (!(in >> word) || !word.starts_with(std::string(key) + "="))
      return ::testing::AssertionFailure() << "expected " << key;
    const std::string value = word.substr(std::string(key).size() + 1);
    const std::size_t decimals = std::string_view(key).ends_with("_s") ? 3 : 2;
    const bool timed = std::string_view(key).find('_') != std::string_view::npos;
    const auto dot = value.find('.');
    const bool ok = !value.empty() && value.find_first_not_of("0123456789.") == value.npos &&
                    (timed ? dot != value.npos && dot > 0 && value.size() - dot - 1 == decimals
                           : dot == value.npos);
    if (!ok) return ::testing::AssertionFailure() << "bad value for " << key;
    if (!timed) counts.push_back(std::stoi(value));
  }
  if (in >> word) return ::testing::AssertionFailure() << "trailing " << word;
  return ::testing::AssertionSuccess();
}

std::pair<std::string, std::string> split_stage(const std::string& line) {
  const auto tab = line.find('\t');
  if (tab == std::string::npos) return {"", line};
  return {line.substr(0, tab), line.substr(tab + 1)};
}

TEST_F(Cli, AnswersEveryPuzzleLineInInputOrder) {
  // Comments, blank lines, CRLF, white space around a line, 0 for open cells
  // and a last line without its newline.
  const std::string input = std::string("# a comment\n\n   \t\n") + kEasy + "\r\n" +
                            "  # an indented comment\n" + "\t " + kHard + "  \n" + kNoSolution +
                            "\n" + kEasyAnswer + "\n" + kSeveral;
  const Outcome plain = run({}, input);
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.err, "");
  const auto lines = plain.out_lines();
  ASSERT_EQ(lines.size(), 5u) << plain.out;
  EXPECT_EQ(lines[0], kEasyAnswer);
  EXPECT_EQ(lines[1], kHardAnswer);
  EXPECT_EQ(lines[2], "unsolvable");
  EXPECT_EQ(lines[3], kEasyAnswer);
  EXPECT_TRUE(completes(kSeveral, lines[4]));
  EXPECT_EQ(plain.out.back(), '\n');

  // --stage only adds the stage and a tab.
  const Outcome staged = run({"--stage"}, input);
  EXPECT_EQ(staged.status, 0);
  const auto staged_lines = staged.out_lines();
  ASSERT_EQ(staged_lines.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(split_stage(staged_lines[i]).second, lines[i]);
  EXPECT_EQ(split_stage(staged_lines[0]).first, "propagation");
  EXPECT_EQ(split_stage(staged_lines[1]).first, "search");
  EXPECT_EQ(split_stage(staged_lines[2]).first, "unsolvable");
  EXPECT_EQ(split_stage(staged_lines[3]).first, "given");
  EXPECT_NE(split_stage(staged_lines[4]).first, "unsolvable");

  // The complete search alone agrees wherever the solution is unique.
  const Outcome fast = run({"--search-only", "--stage"}, input);
  EXPECT_EQ(fast.status, 0);
  const auto fast_lines = fast.out_lines();
  ASSERT_EQ(fast_lines.size(), lines.size());
  EXPECT_EQ(fast_lines[0], std::string("search\t") + kEasyAnswer);
  EXPECT_EQ(fast_lines[1], std::string("search\t") + kHardAnswer);
  EXPECT_EQ(fast_lines[2], "unsolvable\tunsolvable");
  EXPECT_EQ(fast_lines[3], std::string("given\t") + kEasyAnswer);
  EXPECT_EQ(split_stage(fast_lines[4]).first, "search");
  EXPECT_TRUE(completes(kSeveral, split_stage(fast_lines[4]).second));
}

TEST_F(Cli, RefusesEntriesAsTheWindowDoes) {
  const std::string input = std::string(kSeventeen) + "\n" + kRepeat + "\n" + kEasy + "\n";
  for (const char* mode : {"", "--search-only"}) {
    SCOPED_TRACE(mode);
    std::vector<std::string> args = {"--stage"};
    if (*mode) args.push_back(mode);
    const Outcome strict = run(args, input);
    EXPECT_EQ(strict.status, 0);
    const auto lines = strict.out_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string("refused\t") + kTooFew);
    EXPECT_EQ(lines[1], std::string("refused\t") + kRepeated);
    EXPECT_EQ(split_stage(lines[2]).second, kEasyAnswer);

    // --any-count lifts the minimum only: the repeat is still refused.
    args.push_back("--any-count");
    const Outcome any = run(args, input);
    EXPECT_EQ(any.status, 0);
    const auto any_lines = any.out_lines();
    ASSERT_EQ(any_lines.size(), 3u);
    EXPECT_NE(split_stage(any_lines[0]).first, "refused");
    EXPECT_TRUE(completes(kSeventeen, split_stage(any_lines[0]).second));
    EXPECT_EQ(any_lines[1], std::string("refused\t") + kRepeated);
  }
}

TEST_F(Cli, ReportsMalformedLinesAndGoesOn) {
  const std::string too_long(3'000'000, '7');
  const std::string padding(2'000'000, ' ');
  std::string with_nul = kEasy, bad_char = kEasy;
  with_nul[40] = '\0';
  bad_char[10] = 'x';
  const std::string input = std::string("# header\n") +         // 1
                            "12345\n" +                         // 2
                            kEasy + "\n" +                      // 3
                            bad_char + "\n" +                   // 4
                            "\n" +                              // 5
                            with_nul + "\n" +                   // 6
                            too_long + "\n" +                   // 7
                            padding + "\n" +                    // 8: blank
                            padding + kEasy + padding + "\n" +  // 9
                            std::string(kEasy) + "1";           // 10, no newline
  const Outcome r = run({"--stage"}, input);
  EXPECT_EQ(r.status, 1);
  const auto lines = r.out_lines();
  ASSERT_EQ(lines.size(), 7u) << r.out.substr(0, 2000);
  EXPECT_EQ(lines[0], "malformed\tmalformed");
  EXPECT_EQ(split_stage(lines[1]).second, kEasyAnswer);
  EXPECT_EQ(lines[2], "malformed\tmalformed");
  EXPECT_EQ(lines[3], "malformed\tmalformed");
  EXPECT_EQ(lines[4], "malformed\tmalformed");
  EXPECT_EQ(split_stage(lines[5]).second, kEasyAnswer);
  EXPECT_EQ(lines[6], "malformed\tmalformed");
  const std::vector<std::string> expected_err = {
      "line 2: expected 81 cells, found 5 characters",
      "line 4: cell 11: unexpected character 'x'",
      "line 6: cell 41: unexpected character",
      "line 7: expected 81 cells, found 3000000 characters",
      "line 10: expected 81 cells, found 82 characters",
  };
  EXPECT_EQ(r.err_lines(), expected_err);

  // Named files are read in order; the line numbers count within each file.
  const std::string a = file("a.txt", std::string(kEasy) + "\nbad\n");
  const std::string b = file("b.txt", std::string("\nbad\n") + kEasyAnswer + "\n");
  const Outcome two = run({a, b});
  EXPECT_EQ(two.status, 1);
  EXPECT_EQ(two.out_lines(),
            (std::vector<std::string>{kEasyAnswer, "malformed", "malformed", kEasyAnswer}));
  EXPECT_EQ(two.err_lines(),
            (std::vector<std::string>{a + ": line 2: expected 81 cells, found 3 characters",
                                      b + ": line 2: expected 81 cells, found 3 characters"}));
}

TEST_F(Cli, StepsShowEveryDrawingBeforeTheAnswer) {
  const std::string input = std::string(kEasy) + "\n" + kSeventeen + "\nbad\n" + kHard + "\n";
  const Outcome r = run({"--steps", "--stage"}, input);
  EXPECT_EQ(r.status, 1);
  const auto lines = r.out_lines();

  std::vector<std::vector<std::string>> steps(1);  // the step lines before each result line
  std::vector<std::string> results;
  for (const auto& line : lines) {
    if (line.starts_with("step\t")) {
      EXPECT_TRUE(line.size() == 86 && line.find_first_not_of("123456789.", 5) == line.npos)
          << line;
      steps.back().push_back(line.substr(5));
    } else {
      results.push_back(line);
      steps.emplace_back();
    }
  }
  ASSERT_EQ(results.size(), 4u) << r.out;
  EXPECT_EQ(results[0], std::string("propagation\t") + kEasyAnswer);
  EXPECT_EQ(results[1], std::string("refused\t") + kTooFew);
  EXPECT_EQ(results[2], "malformed\tmalformed");
  EXPECT_EQ(split_stage(results[3]).second, kHardAnswer);
  EXPECT_TRUE(steps[1].empty());
  EXPECT_TRUE(steps[2].empty());
  EXPECT_TRUE(steps[4].empty());

  // Propagation only ever adds digits, the givens show from the first
  // drawing on, and the last drawing is the answer.
  const std::string givens = cells(kEasy);
  ASSERT_FALSE(steps[0].empty());
  std::string before = givens;
  for (const auto& board : steps[0]) {
    for (int i = 0; i < 81; ++i)
      if (before[i] != '.') {
        EXPECT_EQ(board[i], before[i]) << "cell " << i << " in " << board;
      }
    before = board;
  }
  EXPECT_EQ(steps[0].back(), kEasyAnswer);
  ASSERT_FALSE(steps[3].empty());
  const std::string hard = cells(kHard);
  for (const auto& board : steps[3])
    for (int i = 0; i < 81; ++i)
      if (hard[i] != '.') {
        EXPECT_EQ(board[i], hard[i]) << "cell " << i << " in " << board;
      }
  EXPECT_EQ(steps[3].back(), kHardAnswer);
}

TEST_F(Cli, StatsEndWithOneSummaryLine) {
  const std::string input = std::string(kEasy) + "\n" + kEasyAnswer + "\n" + kNoSolution + "\n" +
                            kSeventeen + "\n" + kRepeat + "\nbad\n#\n" + kHard + "\n";
  for (const char* mode : {"", "--search-only"}) {
    SCOPED_TRACE(mode);
    std::vector<std::string> args = {"--stats"};
    if (*mode) args.push_back(mode);
    const Outcome r = run(args, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out_lines().size(), 7u);
    const auto err = r.err_lines();
    ASSERT_EQ(err.size(), 2u) << r.err;
    EXPECT_EQ(err[0], "line 6: expected 81 cells, found 3 characters");
    std::vector<int> n;
    ASSERT_TRUE(parse_summary(err[1], n)) << err[1];
    EXPECT_EQ(n[0], 7);  // every line not skipped
    EXPECT_EQ(n[1], 1);  // given
    EXPECT_EQ(n[6], 1);  // unsolvable
    EXPECT_EQ(n[7], 2);  // refused
    EXPECT_EQ(n[8], 1);  // malformed
    EXPECT_EQ(n[2] + n[3] + n[4] + n[5], 2);
    if (*mode) {
      EXPECT_EQ(n[5], 2);
    }
  }
  // Without --stats nothing more is said; an empty input still sums up.
  EXPECT_EQ(run({}, kEasy).err, "");
  EXPECT_EQ(run({"--stats"}, "").err,
            "stats: puzzles=0 given=0 propagation=0 trial1=0 trial2=0 search=0 unsolvable=0 "
            "refused=0 malformed=0 median_us=0.00 mean_us=0.00 max_us=0.00 total_s=0.000\n");
}

TEST_F(Cli, InputsOptionsAndExitStatus) {
  const std::string a = file("a.txt", std::string(kEasy) + "\n");
  const std::string b = file("b.txt", std::string(kNoSolution) + "\n");

  // Files in order, "-" for standard input among them.
  const Outcome files = run({b, "-", a}, std::string(kEasyAnswer) + "\n");
  EXPECT_EQ(files.status, 0);
  EXPECT_EQ(files.out_lines(), (std::vector<std::string>{"unsolvable", kEasyAnswer, kEasyAnswer}));
  // Standard input when no file is named; options and names may mix.
  EXPECT_EQ(run({}, kEasy).out, std::string(kEasyAnswer) + "\n");
  EXPECT_EQ(run({a, "--stage"}).out_lines().size(), 1u);
  EXPECT_EQ(run({"--", "--stage"}).status, 2);  // a file named --stage

  // An unreadable file stops the run before any output.
  for (const std::string& bad : {(dir_ / "missing.txt").string(), dir_.string()}) {
    const Outcome r = run({a, bad});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
  }
  // A bad option.
  for (const char* bad : {"--bogus", "-x", "--stage=1"}) {
    const Outcome r = run({bad, a});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
  }
  // --help and --version answer on standard output and succeed.
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: tesura-solve")) << help.out;
  EXPECT_NE(help.out.find("--search-only"), std::string::npos);
  const Outcome version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tesura-solve ") + TESURA_VERSION_TEXT + "\n");
  EXPECT_EQ(version.out, "tesura-solve 2.2.0.20\n");
}

}  // namespace
