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

// Puzzles of every difficulty (all with at least 20 givens); which stage of
// the engine ends each one is asked of the engine itself.
const char* const kPool[] = {
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..",
    ".6.5.1.9.1...9..539....7....4.8...7.......5.8.817.5.3.....5.2............76..8...",
    "..5...987.4..5...1..7......2...48....9.1.....6..2.....3..6..2.......9.7.......5..",
    "....3..9....2....1.5.9..............1.2.8.4.6.8.5...2..75......4.1..6..3.....4.6.",
    ".237....68...6.59.9.....7......4.97.3.7.96..2.........5..47.........2....8.......",
    "..84...3....3.....9....157479...8........7..514.....2...9.6...2.5....4......9..56",
    "..247..58..............1.4.....2...9528.9.4....9...1.........3.3....75..685..2...",
    ".2.3......63.....58.......15....9.3....7........1....8.879..26......6.7...6..7..4",
    "1.....7.9.4...72..8.........7..1..6.3.......5.6..4..2.........8..53...7.7.2....46",
    ".47.8...1............6..7..6....357......5....1..6....28..4.....9.1...4.....2.69.",
    "38.6.......9.......2..3.51......5....3..1..6....4......17.5..8.......9.......7.32",
    "...5...........5.697.....2...48.2...25.1...3..8..3.........4.7..13.5..9..2...31..",
    ".2.......3.5.62..9.68...3...5..........64.8.2..47..9....3.....1.....6...17.43....",
    "..8.9.1...6.5...2......6....3.1.7.5.........9..4...3...5....2...7...3.8.2..7....4",
    "1....6.8..64..........4...7....9.6...7.4..5..5...7.1...5....32.3....8...4........",
    "85...24..72......9..4.........1.7..23.5...9...4...........8..7..17..........36.4.",
    "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..",
    "12..4......5.69.1...9...5.........7.7...52.9..3......2.9.6...5.4..9..8.1..3...9.4",
    "...57..3.1......2.7...234......8...4..7..4...49....6.5.42...3.....7..9....18.....",
    "7..1523........92....3.....1....47.8.......6............9...5.6.4.9.7...8....6.1.",
    "1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..",
    "1...34.8....8..5....4.6..21.18......3..1.2..6......81.52..7.9....6..9....9.64...2",
    "...92......68.3...19..7...623..4.1....1...7....8.3..297...8..91...5.72......64...",
    // Only the complete search finds the answer of this one.
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
};

constexpr std::string_view kUnsolvable =
    "400000001000030609000002000800006000200000415050001070000019700360047000008000300";

// The engine on its own, as the window's solve would run it.
struct Quiet : SolveObserver {
  void show_board(const Grid&) override {}
  void unsolvable(const Grid&) override {}
};
SolveStage engine_stage(std::string_view puzzle, std::string* answer) {
  Grid g;
  enter_puzzle(g, *parse_puzzle(puzzle));
  if (check_input(g) != InputVerdict::accepted) return SolveStage::unsolvable;
  accept_input(g);
  Quiet quiet;
  const SolveStage stage = solve_command(g, quiet);
  if (answer) *answer = puzzle_text(board_digits(g));
  return stage;
}

std::optional<std::string> first_of_stage(SolveStage stage) {
  for (const char* p : kPool)
    if (engine_stage(p, nullptr) == stage) return std::string(p);
  return std::nullopt;
}

// Every unit holds 1 to 9 and every given stands where it was entered.
bool completes(std::string_view givens, std::string_view answer) {
  if (answer.size() != 81) return false;
  for (int i = 0; i < 81; ++i)
    if (answer[i] < '1' || answer[i] > '9' || (givens[i] != '.' && givens[i] != answer[i]))
      return false;
  for (int u = 0; u < 9; ++u) {
    int row = 0, col = 0, box = 0;
    for (int p = 0; p < 9; ++p) {
      row |= 1 << (answer[u * 9 + p] - '0');
      col |= 1 << (answer[p * 9 + u] - '0');
      box |= 1 << (answer[(u / 3 * 3 + p / 3) * 9 + u % 3 * 3 + p % 3] - '0');
    }
    if (row != 0x3FE || col != 0x3FE || box != 0x3FE) return false;
  }
  return true;
}

std::string dotted(std::string_view puzzle) {
  std::string s(puzzle);
  for (char& c : s)
    if (c == '0') c = '.';
  return s;
}

// Enters, accepts and solves; leaves the window in the state the solve left.
void enter_accept_solve(Harness& h, std::string_view puzzle, bool by_menu) {
  enter_by_presses(h.window, puzzle);
  press(button(h.window, "btninput"));
  if (by_menu)
    menu_item(h.window, "mnuippatu")->trigger();
  else
    press(button(h.window, "btnans"));
}

}  // namespace

class SolveTest : public QObject {
  Q_OBJECT
 private slots:
  void solvedByEachStage_data();
  void solvedByEachStage();
  void allGivenGoesStraightToTheAnswer();
  void unsolvableComesBackAsEntered();
  void returnToTheFirstProblemAndSolveAgain();
};

void SolveTest::solvedByEachStage_data() {
  QTest::addColumn<SolveStage>("stage");
  QTest::addColumn<bool>("by_menu");
  QTest::newRow("propagation") << SolveStage::propagation << false;
  QTest::newRow("trial1") << SolveStage::trial1 << true;
  QTest::newRow("trial2") << SolveStage::trial2 << false;
  QTest::newRow("search") << SolveStage::search << false;
}

void SolveTest::solvedByEachStage() {
  QFETCH(SolveStage, stage);
  QFETCH(bool, by_menu);
  const std::optional<std::string> puzzle = first_of_stage(stage);
  QVERIFY2(puzzle.has_value(), "no puzzle of the pool ends in this stage");
  std::string expected;
  QCOMPARE(engine_stage(*puzzle, &expected), stage);

  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  enter_accept_solve(h, *puzzle, by_menu);

  const std::string answer = board_digits_text(w);
  QVERIFY2(completes(*puzzle, answer), answer.c_str());
  QCOMPARE(answer, expected);
  QVERIFY(h.dialogs.boxes.empty());
  // Givens keep their tiles; every other cell shows its digit, read from
  // the block view's one-character string.
  QCOMPARE(shown_tiles(w), expected_tiles(*puzzle, answer));
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const Cands c = w.grid().gs_cand(b, k);
      QVERIFY(c == kNoCands || c == cands_of(w.grid().gs_val(b, k)));
    }
  QCOMPARE(state_mismatches(w, State::answered), QString());
  // The solve cannot run twice on one input.
  press(button(w, "btnans"));
  menu_item(w, "mnuippatu")->trigger();
  QCOMPARE(board_digits_text(w), answer);
}

void SolveTest::allGivenGoesStraightToTheAnswer() {
  std::string full;
  QVERIFY(engine_stage(kPool[0], &full) != SolveStage::unsolvable);
  QVERIFY(completes(kPool[0], full));
  QCOMPARE(engine_stage(full, nullptr), SolveStage::given);

  Harness h;
  QVERIFY(h.ready);
  enter_accept_solve(h, full, false);
  QCOMPARE(shown_tiles(h.window), expected_tiles(full, ""));
  QCOMPARE(state_mismatches(h.window, State::answered), QString());
}

void SolveTest::unsolvableComesBackAsEntered() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  // The message comes while the solve is still under way.
  bool ready_while_open = false;
  h.dialogs.while_open = [&] { ready_while_open = button(w, "btnans")->isEnabled(); };
  enter_accept_solve(h, kUnsolvable, false);

  QCOMPARE(h.dialogs.boxes.size(), size_t{1});
  QCOMPARE(h.dialogs.boxes[0].text, QStringLiteral("これは解くことができない問題です"));
  QCOMPARE(h.dialogs.boxes[0].caption, QStringLiteral("Tesura"));
  QVERIFY(ready_while_open);

  // The puzzle as entered, in its entry form, with ordinary digit tiles.
  const std::string entered = dotted(kUnsolvable);
  QCOMPARE(board_digits_text(w), entered);
  std::vector<std::string> tiles;
  for (char ch : entered) tiles.push_back(ch == '.' ? "." : std::string("G") + ch);
  QCOMPARE(shown_tiles(w), tiles);
  const Grid& g = w.grid();
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      const auto [b, k] = block_of(r, c);
      const char ch = entered[(r - 1) * 9 + c - 1];
      QCOMPARE(g.gs_cand(b, k), ch == '.' ? kAllCands : cands_of(ch - '0'));
      QCOMPARE(g.ygs_cand(r, c), g.gs_cand(b, k));
      QCOMPARE(g.tgs_val(c, r), g.gs_val(b, k));
    }
  QCOMPARE(state_mismatches(w, State::input), QString());

  // Editable again: fix it and finish the input once more.
  press(cell_at(w, 1, 1));
  QCOMPARE(board_digits_text(w)[0], '5');
  press(button(w, "btninput"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
}

void SolveTest::returnToTheFirstProblemAndSolveAgain() {
  const char* puzzle = kPool[0];
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  enter_accept_solve(h, puzzle, false);
  const std::string answer = board_digits_text(w);
  QVERIFY(completes(puzzle, answer));

  menu_item(w, "mnusaisyo")->trigger();
  QCOMPARE(board_digits_text(w), std::string(puzzle));
  std::vector<std::string> tiles;
  for (const char* p = puzzle; *p; ++p) tiles.push_back(*p == '.' ? "." : std::string("G") + *p);
  QCOMPARE(shown_tiles(w), tiles);
  QCOMPARE(state_mismatches(w, State::input), QString());

  // Finished again at once, the same puzzle passes and solves the same way.
  press(button(w, "btninput"));
  QCOMPARE(shown_tiles(w), expected_tiles(puzzle, ""));
  QCOMPARE(state_mismatches(w, State::ready), QString());
  press(button(w, "btnans"));
  QCOMPARE(board_digits_text(w), answer);
  QCOMPARE(state_mismatches(w, State::answered), QString());

  // Back once more, and a given is now an ordinary digit to change.
  menu_item(w, "mnusaisyo")->trigger();
  BoardCell* given = cell_at(w, 1, 3);  // the 3 of row 1
  press(given);
  QCOMPARE(w.grid().gs_val(1, 3), Digit{4});
  QCOMPARE(given->picture_name(), QStringLiteral("G004.bmp"));
  QVERIFY(h.dialogs.boxes.empty());
}

QTEST_MAIN(SolveTest)
#include "solve_test.moc"
