// Journeys through the solve command: a solve ended by each stage of the
// engine, an unsolvable entry, and the return to the first problem.
#include <optional>

#include "model/input_completion.h"
#include "model/puzzle.h"
#include "solver/solve_command.h"
#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

Q_DECLARE_METATYPE(tesura::SolveStage)

namespace {

// Puzzles of rising difficulty; which stage ends each is asked of the engine.
const char* const kPool[] = {
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..",
    "1...34.8....8..5....4.6..21.18......3..1.2..6......81.52..7.9....6..9....9.64...2",
    "...92......68.3...19..7...623..4.1....1...7....8.3..297...8..91...5.72......64...",
    "85...24..72......9..4.........1.7..23.5...9...4...........8..7..17..........36.4.",
    ".47.8...1............6..7..6....357......5....1..6....28..4.....9.1...4.....2.69.",
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
};
const std::string kUnsolvable =
    "4.......1....3.6.9.....2...8....6...2.....415.5...1.7.....197..36..47.....8...3..";

// The engine alone, as the window's solve runs it.
SolveStage engine_stage(std::string_view puzzle, std::string* answer = nullptr) {
  struct : SolveObserver {
    void show_board(const Grid&) override {}
    void unsolvable(const Grid&) override {}
  } quiet;
  Grid g;
  enter_puzzle(g, *parse_puzzle(puzzle));
  if (check_input(g) != InputVerdict::accepted) return SolveStage::unsolvable;
  accept_input(g);
  const SolveStage stage = solve_command(g, quiet);
  if (answer) *answer = puzzle_text(board_digits(g));
  return stage;
}

// Every unit holds 1 to 9 and every given stands where it was entered.
bool completes(std::string_view givens, std::string_view answer) {
  for (int i = 0; i < 81; ++i)
    if (answer[i] == '.' || (givens[i] != '.' && givens[i] != answer[i])) return false;
  for (int u = 0; u < 9; ++u) {
    int row = 0, col = 0, box = 0;
    for (int p = 0; p < 9; ++p) {
      row |= 1 << (answer[u * 9 + p] - '0');
      col |= 1 << (answer[p * 9 + u] - '0');
      box |= 1 << (answer[(u / 3 * 3 + p / 3) * 9 + u % 3 * 3 + p % 3] - '0');
    }
    if ((row & col & box) != 0x3FE) return false;
  }
  return true;
}

void enter_accept_solve(Harness& h, std::string_view puzzle, bool by_menu = false) {
  enter_by_presses(h.window, puzzle);
  press(button(h.window, "btninput"));
  if (by_menu)
    item(h.window, "mnuippatu")->trigger();
  else
    press(button(h.window, "btnans"));
}

}  // namespace

class SolveTest : public QObject {
  Q_OBJECT
 private slots:
  void solvedByEachStage_data();
  void solvedByEachStage();
  void unsolvableComesBackAsEntered();
  void returnToTheFirstProblemAndSolveAgain();
};

void SolveTest::solvedByEachStage_data() {
  QTest::addColumn<SolveStage>("stage");
  QTest::newRow("propagation") << SolveStage::propagation;
  QTest::newRow("trial1") << SolveStage::trial1;
  QTest::newRow("trial2") << SolveStage::trial2;
  QTest::newRow("search") << SolveStage::search;
  QTest::newRow("given") << SolveStage::given;
}

void SolveTest::solvedByEachStage() {
  QFETCH(SolveStage, stage);
  std::optional<std::string> puzzle;
  std::string expected;
  for (const char* p : kPool)
    if (engine_stage(p, &expected) == stage) {
      puzzle = p;
      break;
    }
  if (stage == SolveStage::given && engine_stage(kPool[0], &expected) != SolveStage::unsolvable)
    puzzle = expected;  // all 81 cells given
  QVERIFY2(puzzle.has_value(), "no puzzle of the pool ends in this stage");
  QCOMPARE(engine_stage(*puzzle, &expected), stage);

  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  enter_accept_solve(h, *puzzle, /*by_menu=*/stage == SolveStage::trial1);
  const std::string answer = digits(w);
  QVERIFY2(completes(*puzzle, answer), answer.c_str());
  QCOMPARE(answer, expected);
  QVERIFY(h.said.log.isEmpty());
  QCOMPARE(tiles(w), expected_tiles(*puzzle, "R", answer));
  QCOMPARE(state_mismatches(w, State::answered), QString());
  press(button(w, "btnans"));  // not twice on one input
  QCOMPARE(digits(w), answer);
}

void SolveTest::unsolvableComesBackAsEntered() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  bool still_solving = false;  // the message comes before the board is put back
  h.said.while_open = [&] { still_solving = button(w, "btnans")->isEnabled(); };
  enter_accept_solve(h, kUnsolvable);
  QCOMPARE(h.said.log, QStringList{"Tesura: これは解くことができない問題です"});
  QVERIFY(still_solving);

  // As entered: ordinary digit tiles, entry encoding, views in step.
  QCOMPARE(digits(w), kUnsolvable);
  QCOMPARE(tiles(w), expected_tiles(kUnsolvable, "G"));
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      const auto [b, k] = block_of(r, c);
      const char ch = kUnsolvable[(r - 1) * 9 + c - 1];
      QCOMPARE(w.grid().gs_cand(b, k), ch == '.' ? kAllCands : cands_of(ch - '0'));
      QCOMPARE(w.grid().ygs_cand(r, c), w.grid().gs_cand(b, k));
      QCOMPARE(w.grid().tgs_val(c, r), w.grid().gs_val(b, k));
    }
  QCOMPARE(state_mismatches(w, State::input), QString());
  press(cell_at(w, 1, 1));  // editable: 4 becomes 5, and it is accepted again
  press(button(w, "btninput"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
}

void SolveTest::returnToTheFirstProblemAndSolveAgain() {
  const std::string puzzle = kPool[0];
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  enter_accept_solve(h, puzzle);
  const std::string answer = digits(w);
  QVERIFY(completes(puzzle, answer));

  item(w, "mnusaisyo")->trigger();
  QCOMPARE(digits(w), puzzle);
  QCOMPARE(tiles(w), expected_tiles(puzzle, "G"));
  QCOMPARE(state_mismatches(w, State::input), QString());
  // Finished again at once, the same puzzle passes and solves the same way.
  press(button(w, "btninput"));
  QCOMPARE(tiles(w), expected_tiles(puzzle, "R"));
  press(button(w, "btnans"));
  QCOMPARE(digits(w), answer);
  QCOMPARE(state_mismatches(w, State::answered), QString());
  // Back again, a given is an ordinary digit to change.
  item(w, "mnusaisyo")->trigger();
  press(cell_at(w, 1, 3));
  QCOMPARE(cell_at(w, 1, 3)->picture_name(), "G004.bmp");
  QVERIFY(h.said.log.isEmpty());
}

QTEST_MAIN(SolveTest)
#include "solve_test.moc"
