// SPDX-License-Identifier: MIT
// The command-line contract of tesura-solve, through the real binary.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/sudoku_checks.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Solvable by singles alone, with its one solution.
const std::string kEasy =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
const std::string kEasyAnswer =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// One solution that the trial levels do not find.
const std::string kHard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
const std::string kHardAnswer =
    "812753649943682175675491283154237896369845721287169534521974368438526917796318452";
// No solution, though propagation alone fills every cell (with two 8s in row 2).
const std::string kNoSolution =
    "400000001000030609000002000800006000200000415050001070000019700360047000008000300";
// 17 givens: refused unless --any-count.
const std::string kSeventeen =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";
// Two 1s in row 1.
const std::string kRepeat =
    "113020600900305001001806400008102900700000008006708200002609500800203009005010300";
// Several solutions.
const std::string kSeveral =
    "8.........95.......76.........426798...571243...893165......916....3.487....1.532";

const std::string kTooFew = "入力個所が少な過ぎます";
const std::string kRepeated = "入力数値にミスがあります";

Lines lines_of(const std::string& text) {
  Lines result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The answer completes the puzzle: every unit holds 1 to 9, the givens stand.
bool completes(const std::string& puzzle, const std::string& answer) {
  const auto p = tesura::parse_puzzle(puzzle), a = tesura::parse_puzzle(answer);
  return p && a && tesura::testing::is_completion_of(*a, *p);
}

std::string with_blank(std::string puzzle, char blank) {
  for (char& c : puzzle)
    if (c == '0' || c == '.') c = blank;
  return puzzle;
}

struct Outcome {
  int status = -1;
  std::string out, err;
  Lines out_lines() const { return lines_of(out); }
  Lines err_lines() const { return lines_of(err); }
};

// text as one word for the shell, with a space before it.
std::string shell_word(const std::string& text) {
  std::string q = " '";
  for (const char c : text) q.append(c == '\'' ? "'\\''" : std::string(1, c));
  q.push_back('\'');
  return q;
}

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

  // Runs a bash script with its arguments ($0 first), standard input from
  // input and standard output into out (a file of its own by default, read
  // back). A hang is killed after a generous while and fails the test.
  Outcome bash(const std::string& script, const Lines& args, const std::string& input = "",
               std::string out = "") const {
    const std::string in = file("stdin.txt", input), err = (dir_ / "stderr.txt").string();
    const bool own_out = out.empty();
    if (own_out) out = (dir_ / "stdout.txt").string();
    std::string command = "timeout -s KILL 60 bash -c" + shell_word(script);
    for (const auto& arg : args) command.append(shell_word(arg));
    command.append(" <" + shell_word(in) + " >" + shell_word(out) + " 2>" + shell_word(err));
    const int status = std::system(command.c_str());
    Outcome result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (own_out) result.out = slurp(out);
    result.err = slurp(err);
    return result;
  }
  // Runs tesura-solve with args.
  Outcome run(const Lines& args, const std::string& input = "", const std::string& out = "") const {
    Lines argv = {TESURA_SOLVE_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return bash("exec \"$0\" \"$@\"", argv, input, out);
  }

  static std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

std::pair<std::string, std::string> split_stage(const std::string& line) {
  const auto tab = line.find('\t');
  if (tab == std::string::npos) return {"", line};
  return {line.substr(0, tab), line.substr(tab + 1)};
}

TEST_F(Cli, AnswersEveryPuzzleLineInInputOrder) {
  // Comments, blank lines, CRLF, white space around a line, 0 for open cells
  // and a last line without its newline.
  const std::string input = "# a comment\n\n   \t\n" + kEasy + "\r\n  # an indented comment\n\t " +
                            kHard + "  \n" + kNoSolution + "\n" + kEasyAnswer + "\n" + kSeveral;
  const Outcome plain = run({}, input);
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.err, "");
  const auto lines = plain.out_lines();
  ASSERT_EQ(lines.size(), 5u) << plain.out;
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
            (Lines{kEasyAnswer, kHardAnswer, "unsolvable", kEasyAnswer}));
  EXPECT_TRUE(completes(kSeveral, lines[4])) << lines[4];

  // --stage only adds the stage and a tab.
  const auto staged = run({"--stage"}, input).out_lines();
  EXPECT_EQ(staged, (Lines{"propagation\t" + kEasyAnswer, "search\t" + kHardAnswer,
                           "unsolvable\tunsolvable", "given\t" + kEasyAnswer,
                           split_stage(staged.back()).first + "\t" + lines[4]}));

  // The complete search alone agrees wherever the solution is unique.
  const auto fast = run({"--search-only", "--stage"}, input).out_lines();
  ASSERT_EQ(fast.size(), 5u);
  EXPECT_EQ(fast,
            (Lines{"search\t" + kEasyAnswer, "search\t" + kHardAnswer, "unsolvable\tunsolvable",
                   "given\t" + kEasyAnswer, "search\t" + split_stage(fast[4]).second}));
  EXPECT_TRUE(completes(kSeveral, split_stage(fast[4]).second));
}

TEST_F(Cli, ReadsTheLinesOfCommonCollectionsAndReportsTheRest) {
  const std::string bom = "\xef\xbb\xbf", wide_one = "\xef\xbc\x91";  // U+FEFF, U+FF11
  const std::string wide_a = "\xef\xbd\x81";                          // U+FF41
  const std::string pad(2'000'000, ' ');
  std::string with_nul = kEasy, bad_char = kEasy;
  with_nul[40] = '\0';
  bad_char[10] = 'x';
  const std::string input =
      bom + "quizzes,solutions\n" + kEasy + "," + kEasyAnswer + "\n" +  // 1: a header, skipped
      kHard + " # hardest\n" + kEasy + "\t4.5\n" + kEasy + " 4.5 rating\n" + kEasy + ";note\n" +
      kEasy + "|\n" + with_blank(kEasy, '_') + "\n" + with_blank(kHard, '*') + "\n" +
      with_blank(kEasy, '-') + "#x\n" + "quizzes,solutions\n" +  // 11: not the first line
      bom + kEasy + "\n" + wide_one + wide_one + wide_one + "\n1\n" + wide_a + kEasy.substr(1) +
      "\n,\n" + bad_char + "\n\n" + with_nul + "\n" + std::string(3'000'000, '7') + "\n" + pad +
      "\n" + pad + kEasy + pad + "\n" + kEasy + "1";  // line 23, without a newline
  const Outcome r = run({}, input);
  EXPECT_EQ(r.status, 1);
  Lines expected = {kEasyAnswer, kHardAnswer, kEasyAnswer, kEasyAnswer, kEasyAnswer,
                    kEasyAnswer, kEasyAnswer, kHardAnswer, kEasyAnswer};
  expected.insert(expected.end(), 10, "malformed");
  expected.insert(expected.end() - 1, kEasyAnswer);
  EXPECT_EQ(r.out_lines(), expected);
  EXPECT_EQ(r.err_lines(), (Lines{"line 11: expected 81 cells, found 7 characters",
                                  "line 12: expected 81 cells, found 82 characters",
                                  "line 13: expected 81 cells, found 3 characters",
                                  "line 14: expected 81 cells, found 1 character",
                                  "line 15: cell 1: unexpected character '" + wide_a + "'",
                                  "line 16: expected 81 cells, found 0 characters",
                                  "line 17: cell 11: unexpected character 'x'",
                                  "line 19: cell 41: unexpected character",
                                  "line 20: expected 81 cells, found 3000000 characters",
                                  "line 23: expected 81 cells, found 82 characters"}));
  // A first line with a cell character is no header; each input may have one.
  const std::string a = file("a.txt", "puzzle_1,answer\n" + kEasy + "\n");
  const std::string b = file("b.txt", bom + "quizzes\n" + kEasy + "\n");
  const Outcome two = run({a, b});
  EXPECT_EQ(two.out_lines(), (Lines{"malformed", kEasyAnswer, kEasyAnswer}));
  EXPECT_EQ(two.err_lines(), (Lines{a + ": line 1: expected 81 cells, found 8 characters"}));
}

TEST_F(Cli, RefusesEntriesAsTheWindowDoes) {
  const std::string input = kSeventeen + "\n" + kRepeat + "\n" + kEasy + "\n";
  for (const char* mode : {"--stage", "--search-only"}) {
    SCOPED_TRACE(mode);
    const auto lines = run({"--stage", mode}, input).out_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "refused\t" + kTooFew);
    EXPECT_EQ(lines[1], "refused\t" + kRepeated);
    EXPECT_EQ(split_stage(lines[2]).second, kEasyAnswer);

    // --any-count lifts the minimum only: the repeat is still refused.
    const auto any = run({"--stage", mode, "--any-count"}, input).out_lines();
    ASSERT_EQ(any.size(), 3u);
    EXPECT_TRUE(completes(kSeventeen, split_stage(any[0]).second)) << any[0];
    EXPECT_EQ(any[1], "refused\t" + kRepeated);
  }
}

// The result lines of a --steps run, and the step boards before each.
struct StepRun {
  Lines results;
  std::vector<Lines> steps{1};
};
StepRun split_steps(const Lines& lines) {
  StepRun run;
  for (const auto& line : lines) {
    if (line.starts_with("step\t")) {
      run.steps.back().push_back(line.substr(5));
    } else {
      run.results.push_back(line);
      run.steps.emplace_back();
    }
  }
  return run;
}

TEST_F(Cli, StepsAndGridsShowEveryDrawingOfTheWindow) {
  const std::string input = kEasy + "\n" + kSeventeen + "\nbad\n" + kHard + "\n" + kNoSolution;
  const Outcome r = run({"--steps", "--stage"}, input);
  EXPECT_EQ(r.status, 1);
  const auto [results, steps] = split_steps(r.out_lines());
  EXPECT_EQ(results,
            (Lines{"propagation\t" + kEasyAnswer, "refused\t" + kTooFew, "malformed\tmalformed",
                   "search\t" + kHardAnswer, "unsolvable\tunsolvable"}));
  // The window's drawings exactly; none for a line without a solve.
  const std::string solved[] = {kEasy, "", "", kHard, kNoSolution};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(steps[i], solved[i].empty()
                            ? Lines{}
                            : tesura::testing::run_solve(*tesura::parse_puzzle(solved[i])).drawings)
        << "line " << i + 1;

  // --grid draws the same records as 9 x 9 grids, the heading above.
  const Outcome grid = run({"--steps", "--stage", "--grid"}, input);
  EXPECT_EQ(grid.status, 1);
  Lines folded, record;  // each grid record folded back into its line
  for (const std::string& line : grid.out_lines()) {
    if (!line.empty()) {
      record.push_back(line);
      continue;
    }
    std::string body;
    for (std::size_t i = 1; i < record.size(); ++i)
      if (!record[i].starts_with("------+-------+------")) body += record[i];
    std::erase(body, ' ');
    std::erase(body, '|');
    folded.push_back(record.at(0) + "\t" + body);
    record.clear();
  }
  EXPECT_TRUE(record.empty());
  EXPECT_EQ(folded, r.out_lines());
  EXPECT_NE(grid.out.find("propagation\n4 8 3 | 9 2 1 | 6 5 7\n9 6 7 | 3 4 5 | 8 2 1\n"
                          "2 5 1 | 8 7 6 | 4 9 3\n------+-------+------\n5 4 8 | 1 3 2 | 9 7 6\n"),
            std::string::npos);
  EXPECT_TRUE(grid.out.ends_with("\n\nunsolvable\nunsolvable\n\n"));
}

// Hundreds of puzzles in one run, each answered as the window's path answers
// it alone: nothing of one puzzle may stay behind for the next.
TEST_F(Cli, AnswersACollectionAsTheWindowAnswersEachPuzzle) {
  std::string input;
  std::vector<tesura::Puzzle> puzzles;
  for (const char* name : {"17_clue_sample.txt", "top1465_sample.txt", "serg_sample.txt",
                           "forum_hardest_1106_sample.txt", "norvig_top95.txt"}) {
    std::ifstream in(std::string(TESURA_TEST_DATA_DIR) + "/" + name);
    for (std::string line; std::getline(in, line);)
      if (const auto p = tesura::parse_puzzle(line)) {
        puzzles.push_back(*p);
        input += line + "\n";
      }
  }
  ASSERT_EQ(puzzles.size(), 495u) << "missing test data";
  Lines expected;
  std::vector<Lines> drawings;
  for (const auto& p : puzzles) {
    const auto window = tesura::testing::run_solve(p, 0);
    const bool none = window.stage == tesura::SolveStage::unsolvable;
    expected.push_back(std::string(stage_name(window.stage)) + "\t" +
                       (none ? "unsolvable" : tesura::puzzle_text(window.answer)));
    drawings.push_back(none ? Lines{} : window.drawings);
  }
  EXPECT_EQ(run({"--stage", "--any-count"}, input).out_lines(), expected);
  auto [results, steps] =
      split_steps(run({"--steps", "--stage", "--any-count"}, input).out_lines());
  EXPECT_EQ(results, expected);
  steps.pop_back();  // none after the last result
  EXPECT_EQ(steps, drawings);
}

TEST_F(Cli, StatsEndWithOneSummaryLine) {
  const std::string input = kEasy + "\n" + kEasyAnswer + "\n" + kNoSolution + "\n" + kSeventeen +
                            "\n" + kRepeat + "\nbad\n#\n" + kHard + "\n";
  for (const char* mode : {"--stats", "--search-only"}) {
    SCOPED_TRACE(mode);
    const Outcome r = run({"--stats", mode}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out_lines().size(), 7u);
    const auto err = r.err_lines();
    ASSERT_EQ(err.size(), 2u) << r.err;
    EXPECT_EQ(err[0], "line 6: expected 81 cells, found 3 characters");
    const std::string counts = std::string(mode) == "--stats"
                                   ? "propagation=1 trial1=0 trial2=0 search=1"
                                   : "propagation=0 trial1=0 trial2=0 search=2";
    EXPECT_TRUE(err[1].starts_with("stats: puzzles=7 given=1 " + counts +
                                   " unsolvable=1 refused=2 malformed=1 median_us="))
        << err[1];
    double median = 0, mean = 0, max = 0, total = 0;
    EXPECT_EQ(std::sscanf(err[1].c_str() + err[1].find(" median_us="),
                          " median_us=%lf mean_us=%lf max_us=%lf total_s=%lf", &median, &mean, &max,
                          &total),
              4);
    EXPECT_TRUE(median <= max && mean <= max);
  }
  // Without --stats nothing more is said; an empty input still sums up.
  EXPECT_EQ(run({}, kEasy).err, "");
  EXPECT_EQ(run({"--stats"}, "").err,
            "standard input: no puzzles\n"
            "stats: puzzles=0 given=0 propagation=0 trial1=0 trial2=0 search=0 unsolvable=0 "
            "refused=0 malformed=0 median_us=0.00 mean_us=0.00 max_us=0.00 total_s=0.000\n");
}

TEST_F(Cli, InputsOptionsAndExitStatus) {
  const std::string a = file("a.txt", kEasy + "\n");
  const std::string b = file("b.txt", kNoSolution + "\n");

  // Files in order, "-" for standard input among them; standard input when
  // no file is named; options and names may mix.
  const Outcome files = run({b, "-", a, "--stage"}, kEasyAnswer + "\n");
  EXPECT_EQ(files.status, 0);
  EXPECT_EQ(files.out_lines(), (Lines{"unsolvable\tunsolvable", "given\t" + kEasyAnswer,
                                      "propagation\t" + kEasyAnswer}));
  EXPECT_EQ(run({}, kEasy).out, kEasyAnswer + "\n");
  EXPECT_EQ(run({"--", "--stage"}).status, 2);  // a file named --stage

  // Each file is opened once: a named pipe whose writer has written and
  // gone, /dev/stdin on a pipe and a process substitution all give their line.
  const Outcome pipes = bash(
      "mkfifo \"$1/fifo\" && { printf '%s\\n' \"$2\" > \"$1/fifo\" & } && exec \"$0\" "
      "\"$1/fifo\" /dev/stdin <(printf '%s\\n' \"$2\") < <(printf '%s\\n' \"$2\")",
      {TESURA_SOLVE_BINARY, dir_.string(), kEasy});
  EXPECT_EQ(pipes.status, 0) << pipes.err;
  EXPECT_EQ(pipes.out_lines(), (Lines{kEasyAnswer, kEasyAnswer, kEasyAnswer}));

  // An unreadable file or a bad option stops the run before any output.
  const std::string missing = (dir_ / "missing.txt").string(), folder = dir_.string();
  for (const Lines& args : {Lines{a, missing}, Lines{a, folder}, Lines{"--bogus", a},
                            Lines{"-x", a}, Lines{a, "--stage=1"}}) {
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(args[0] == a ? args[1] : args[0]), std::string::npos) << r.err;
  }
  // --help and --version answer on standard output and succeed.
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: tesura-solve")) << help.out;
  for (const char* listed : {"--grid", "--search-only", "quizzes,solutions", "write error"})
    EXPECT_NE(help.out.find(listed), std::string::npos) << listed;
  EXPECT_TRUE(run({"--version"}).out.starts_with("tesura-solve "));

  // A write error on any path: a message and status 2.
  for (const Lines& args : {Lines{"--help"}, Lines{"--version"}, Lines{"--stats"}}) {
    const Outcome r = run(args, kEasy + "\n", "/dev/full");
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_TRUE(r.err.starts_with("tesura-solve: write error: ")) << r.err;
  }
}

TEST_F(Cli, AnswersACoProcessLineByLine) {
  // The script writes a line and waits for its answer before the next one,
  // keeping the pipe open; it gives up (status 3) if an answer is held back.
  for (const char* jobs : {"--jobs=1", "--jobs=2"}) {
    const Outcome r = bash(
        "coproc S { exec \"$0\" --stage \"$3\" 2>/dev/null; }; pid=$S_PID; "
        "for line in \"$1\" bad \"$2\"; do printf '%s\\n' \"$line\" >&\"${S[1]}\"; "
        "IFS= read -r -t 20 answer <&\"${S[0]}\" || exit 3; printf '%s\\n' \"$answer\"; done; "
        "eval \"exec ${S[1]}>&-\"; wait \"$pid\"; echo \"status $?\"",
        {TESURA_SOLVE_BINARY, kEasy, kHard, jobs});
    EXPECT_EQ(r.status, 0) << jobs;
    EXPECT_EQ(r.out_lines(), (Lines{"propagation\t" + kEasyAnswer, "malformed\tmalformed",
                                    "search\t" + kHardAnswer, "status 1"}));
  }
}

// kEasy in rows of three groups of three: cells split by gap, groups by
// bar, a rule line between bands, and the rule around it when boxed.
std::string drawn(const std::string& p, const std::string& gap, const std::string& bar,
                  const std::string& rule, bool boxed) {
  std::string text = boxed ? rule + "\n" : "";
  for (int row = 0; row < 9; ++row) {
    if (row == 3 || row == 6) text += rule + "\n";
    if (boxed) text += bar;
    for (int col = 0; col < 9; ++col) {
      if (col > 0) text += col % 3 == 0 ? bar : gap;
      text += p[row * 9 + col];
    }
    if (boxed) text += bar;
    text += '\n';
  }
  return boxed ? text + rule + "\n" : text;
}

TEST_F(Cli, ReadsGridsGroupedRowsAndFullWidthAndSaysWhyNot) {
  std::string grouped3, grouped9, wide;
  for (int i = 0; i < 81; ++i) {
    if (i > 0 && i % 3 == 0) grouped3 += ' ';
    if (i > 0 && i % 9 == 0) grouped9 += " | ";
    grouped3 += kEasy[i];
    grouped9 += kHard[i];
    // Full-width digits and dots: U+FF10 to U+FF19, U+FF0E.
    wide +=
        kEasy[i] == '.' ? "\xef\xbc\x8e" : "\xef\xbc" + std::string(1, char(0x90 + kEasy[i] - '0'));
  }
  std::string short_group = grouped3;
  short_group.erase(16, 1);
  const std::string plain = drawn(kEasy, " ", " | ", "------+-------+------", false);
  const std::string input = plain + "\n" +  // 1-11, 12
                            drawn(kHard, " ", " | ", "+-------+-------+-------+", true) +  // 13-25
                            kEasy + "\n" + grouped3 + " # easy\n" + grouped9 + " hardest\n" + wide +
                            "\n" + kEasy + " 10.5\n" +                              // 26-30
                            plain.substr(0, plain.find("------")) + "------\n\n" +  // 31-34, 35
                            grouped3 + " 4.5\n" + short_group + "\n" +
                            grouped3.substr(0, 26 * 4 - 1) + "\n" + "+---+---+---+\n" +
                            kHard;  // 36-40
  for (const char* jobs : {"--jobs=1", "--jobs=2"}) {
    const Outcome r = run({jobs}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out_lines(), (Lines{kEasyAnswer, kHardAnswer, kEasyAnswer, kEasyAnswer, kHardAnswer,
                                    kEasyAnswer, kEasyAnswer, "malformed", "malformed", "malformed",
                                    "malformed", "malformed", kHardAnswer}));
    EXPECT_EQ(r.err_lines(),
              (Lines{"line 31: incomplete grid: 3 of 9 rows",
                     "line 36: groups of 3: more cells after the 81st; start a comment with #",
                     "line 37: groups of 3: group 5 holds 2 cells",
                     "line 38: groups of 3: found 78 cells, expected 81",
                     "line 39: incomplete grid: 0 of 9 rows"}));
  }
}

TEST_F(Cli, HeadersEmptyFilesAndAClosedStandardInput) {
  // A header is told by its whole first field, however long.
  for (const std::size_t n : {50, 5'000, 200'000}) {
    const Outcome r = run({}, std::string(n, 'q') + ",solutions\n" + kEasy + "\n");
    EXPECT_EQ(r.status, 0) << n;
    EXPECT_EQ(r.out, kEasyAnswer + "\n") << r.err;
  }
  // A file that gives no puzzle says so; a lone header gave nothing.
  const std::string bad = file("bad.txt", "bad\n"), none = file("none.txt", "# none\n\n");
  const Outcome lone = run({bad});
  EXPECT_EQ(lone.status, 1);
  EXPECT_EQ(lone.out, "");
  EXPECT_EQ(lone.err, bad + ": line 1: skipped as a header\n" + bad + ": no puzzles\n");
  const Outcome empty = run({none});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.err, none + ": no puzzles\n");
  // A closed standard input fails as "-" alone does, after the file before.
  const std::string a = file("a.txt", kEasy + "\n");
  for (const Lines& args : {Lines{"-"}, Lines{a, "-"}}) {
    Lines argv = {TESURA_SOLVE_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    const Outcome r = bash("exec \"$0\" \"$@\" <&-", argv);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, args.size() == 2 ? kEasyAnswer + "\n" : "");
    EXPECT_EQ(r.err_lines().back(),
              "tesura-solve: cannot read standard input: Bad file descriptor");
  }
}

// Every sample collection, as it is.
std::string samples() {
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(TESURA_TEST_DATA_DIR))
    if (entry.path().extension() == ".txt") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  std::ostringstream text;
  for (const auto& path : paths) text << std::ifstream(path).rdbuf();
  return text.str();
}

TEST_F(Cli, JobsWriteWhatOneJobWrites) {
  const std::string input = samples() + "bad\n" + kSeventeen + "\n" + kNoSolution + "\n" +
                            drawn(kEasy, "", "|", "---+---+---", false) + kRepeat + "\n";
  ASSERT_GT(input.size(), 600u * 82);
  for (const Lines& options :
       {Lines{}, Lines{"--stage", "--steps"}, Lines{"--grid", "--steps", "--stage", "--any-count"},
        Lines{"--search-only", "--stage"}, Lines{"--stats", "--stage"}}) {
    const Outcome one = run(options, input);
    for (const char* jobs : {"--jobs=2", "--jobs", "--jobs=7"}) {
      Lines args = options;
      args.emplace_back(jobs);
      const Outcome many = run(args, input);
      SCOPED_TRACE(testing::PrintToString(args));
      EXPECT_EQ(many.status, one.status);
      EXPECT_TRUE(many.out == one.out);  // not printed: megabytes
      // --stats: the same counts, other times.
      EXPECT_EQ(many.err.substr(0, many.err.find("median_us")),
                one.err.substr(0, one.err.find("median_us")));
    }
  }
  // What --grid draws reads back as the same puzzles, solved.
  const Outcome answers = run({"--search-only", "--any-count"}, samples());
  Lines given;
  for (const auto& line : answers.out_lines()) given.push_back("given\t" + line);
  const Outcome grids = run({"--grid", "--search-only", "--any-count"}, samples());
  EXPECT_EQ(run({"--stage", "--jobs=2"}, grids.out).out_lines(), given);
  // The first write error stops every job; a bad count stops before them.
  const Outcome full = run({"--jobs=2"}, input, "/dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_EQ(full.err_lines().back(), "tesura-solve: write error: No space left on device");
  for (const char* jobs : {"--jobs=x", "--jobs=", "--jobs=1025", "--jobs=-1"})
    EXPECT_EQ(run({jobs}, kEasy).status, 2) << jobs;
  EXPECT_EQ(run({"--jobs", "2", "--stage"}, kEasy).out, "propagation\t" + kEasyAnswer + "\n");
}

// A file spread over processes, here all on this machine, by GNU parallel
// as the README shows it for many machines.
TEST_F(Cli, GnuParallelSpreadsAFileInItsOrder) {
  const std::string input = samples();
  const Outcome spread =
      bash("parallel --will-cite --pipe --keep-order -N 40 -j 3 \"$0\" --stage --any-count",
           {TESURA_SOLVE_BINARY}, input);
  EXPECT_EQ(spread.status, 0) << spread.err;
  EXPECT_TRUE(spread.out == run({"--stage", "--any-count"}, input).out);
  EXPECT_EQ(spread.out_lines().size(), 606u);
}

}  // namespace
