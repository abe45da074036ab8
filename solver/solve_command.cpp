// SPDX-License-Identifier: MIT
#include "solver/solve_command.h"

#include <memory>

#include "model/puzzle.h"
#include "solver/complete_search.h"
#include "solver/one_go_solver.h"

namespace tesura {

const char* stage_name(SolveStage stage) {
  static constexpr const char* kNames[] = {"given",  "propagation", "trial1",
                                           "trial2", "search",      "unsolvable"};
  const auto i = static_cast<std::size_t>(stage);
  return i < std::size(kNames) ? kNames[i] : "unsolvable";
}

namespace {

// The digits of the accepted puzzle: givens are the cells with empty
// strings. No branch per cell here or below: which cells are givens is
// anyone's guess.
Puzzle accepted_givens(const Grid& grid) {
  Puzzle givens{};
  for (int i = 0; i < 81; ++i) {
    const int at = kBlockEntry[i];
    givens[i] = grid.sv0_cand.flat()[at] == kNoCands ? grid.sv0_val.flat()[at] : Digit{0};
  }
  return givens;
}

// Puts the accepted puzzle with a solution into the block view: every cell
// that is not a given is decided.
void write_solution(Grid& grid, const Puzzle& solution) {
  for (int i = 0; i < 81; ++i) {
    const int at = kBlockEntry[i];
    const bool given = grid.sv0_cand.flat()[at] == kNoCands;
    grid.gs_cand.flat()[at] = given ? kNoCands : cands_of(solution[i]);
    grid.gs_val.flat()[at] = given ? grid.sv0_val.flat()[at] : solution[i];
  }
}

// The context for one solve: the caller's, or storage of the solve's own
// where the caller's is in use. Frees the caller's again however the solve
// ends.
class ContextLease {
 public:
  explicit ContextLease(SolveContext& offered)
      : own_(offered.in_use.exchange(true, std::memory_order_acquire)
                 ? std::make_unique<SolveContext>()
                 : nullptr),
        held_(own_ ? *own_ : offered) {
    held_.memo.clear();
    held_.knowledge.forget();
  }
  ~ContextLease() {
    if (!own_) held_.in_use.store(false, std::memory_order_release);
  }
  SolveContext& context() { return held_; }

 private:
  std::unique_ptr<SolveContext> own_;  // no other solve sees it, so no flag is needed
  SolveContext& held_;
};

}  // namespace

SolveStage solve_command(Grid& grid, SolveObserver& observer, SolveContext& context) {
  const SolveStage stage = solve_in_block_view(grid, observer, context);
  // Drawing reads the block view alone; the row and column views are
  // brought into step once, at the end.
  if (stage != SolveStage::given) grid.sync_views();
  return stage;
}

SolveStage solve_in_block_view(Grid& grid, SolveObserver& observer, SolveContext& context) {
  ContextLease lease(context);
  OneGoSolver s(grid.gs_cand, grid.gs_val, lease.context());
  const bool draws = observer.draws();
  auto show_board = [&] {
    if (!draws) return;
    s.gs.to_block_view(grid);
    observer.show_board(grid);
  };
  // The board is drawn with the answer, and the answer is left in the
  // block view whether drawn or not.
  auto answered = [&](SolveStage stage) {
    show_board();
    if (!draws) s.gs.to_block_view(grid);
    return stage;
  };

  s.count_cand();
  s.prev_decided_cnt = s.decided_cnt;
  s.count_given();
  s.fill_target = static_cast<Digit>(81 - s.given_cnt);

  if (s.fill_target <= 0) return SolveStage::given;  // the grid is its own answer
  for (;;) {
    s.solve_round();
    s.count_cand();
    if (s.decided_cnt == s.fill_target) {
      // A full board with a repeated digit is no answer: it is a contradiction,
      // and the searches below take it from there.
      s.find_conflict();
      if (s.conflict_flag == 0) return answered(SolveStage::propagation);
      break;
    }
    if (s.decided_cnt == s.prev_decided_cnt) break;
    s.prev_decided_cnt = s.decided_cnt;
    show_board();
  }

  // A trial completes only a board that has a solution, and a failed trial
  // leaves nothing on the screen. The first level is cheap and often
  // succeeds, so it goes before the search; the second can run long without
  // success, so it is skipped when the search finds no solution.
  s.trial_one();
  if (s.solved_flag == 1) {
    s.solved_flag = 0;
    return answered(SolveStage::trial1);
  }
  Puzzle solution;
  const Puzzle givens = accepted_givens(grid);
  if (!complete_search(givens, solution)) {
    observer.unsolvable(grid);
    grid.load_sv0();
    return SolveStage::unsolvable;
  }
  lease.context().knowledge.know(givens, solution);
  s.trial_two();
  lease.context().counts.searches += lease.context().knowledge.searches();
  if (s.solved_flag == 1) {
    s.solved_flag = 0;
    return answered(SolveStage::trial2);
  }

  // The trials missed the solution that the search found.
  write_solution(grid, solution);
  if (draws) observer.show_board(grid);
  return SolveStage::search;
}

}  // namespace tesura
