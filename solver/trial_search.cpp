// SPDX-License-Identifier: MIT
// The two levels of trial search, their unit scans and the duplicate check.
#include <bit>
#include <cstring>

#include "solver/complete_search.h"
#include "solver/one_go_solver.h"

namespace tesura {

namespace {
// kBitCount9[s]: the members of a set of nine positions. A table, as the
// build assumes no population-count instruction.
constexpr auto kBitCount9 = [] {
  std::array<std::uint8_t, 512> t{};
  for (unsigned s = 0; s < 512; ++s) t[s] = static_cast<std::uint8_t>(std::popcount(s));
  return t;
}();
}  // namespace

bool OneGoSolver::pair_unit(int vi, int u) const {
  // Open cells list two digits or more, so they list two each exactly when
  // the unit's listings are twice its open cells.
  return gs.open_listings(vi, u) == 2 * kBitCount9[gs.open_cells[vi][u]];
}

unsigned OneGoSolver::pair_units(int vi) const {
  unsigned marked = 0;
  for (int u = 0; u < 9; ++u) marked |= static_cast<unsigned>(pair_unit(vi, u)) << u;
  return marked;
}

void OneGoSolver::set_flags(unsigned marked, std::array<Digit, 10>& flags) {
  for (int u = 0; u < 9; ++u) flags[u + 1] = static_cast<Digit>((marked >> u) & 1);
}

unsigned OneGoSolver::mark(View v, int n, std::array<Digit, 10>& flags) {
  unsigned marked = 0;
  if (n == 2) {
    marked = pair_units(int(v));
  } else {
    for (int u = 0; u < 9; ++u) {
      // All nine cells, without a way out at the first wide one: the
      // branch would be hard to foresee.
      bool narrow = true;
      for (int p = 0; p < 9; ++p) narrow &= at_most_cands(gs.cand_at(v, u, p), n);
      marked |= static_cast<unsigned>(narrow) << u;
    }
  }
  set_flags(marked, flags);
  return marked;
}

void OneGoSolver::find_conflict() {
  // Digits are never taken off a board except by a restore, which brings
  // its own count, so a repeat ever placed is a repeat still standing.
  conflict_flag = gs.repeated != 0 ? 1 : 0;
}

namespace {
struct TrialPhase {
  View view;
  bool first_cell_takes_first;  // which character the unit's first two-candidate cell gets
  bool scans;                   // marks recomputed at the phase start and at each restart
};
// Phases 4 and 6 reuse the marks that phases 3 and 5 left.
constexpr TrialPhase kTrialPhases[6] = {
    {View::block, true, true}, {View::block, false, true}, {View::row, true, true},
    {View::row, false, false}, {View::column, true, true}, {View::column, false, false},
};
}  // namespace

void OneGoSolver::trial_one() {
  solved_flag = 0;
  bool at_snapshot = true;  // the board is the entry snapshot, as the memo needs
  tried_count_ = 0;
  count_cand();
  unsigned marked = 0;   // unit_flag1 as a set of units
  bool guessed = false;  // whether the board has left the entry snapshot yet
  for (int phase = 0; phase < 6; ++phase) {
    const TrialPhase& ph = kTrialPhases[phase];
    if (phase > 0) count_cand();
  restart:
    const Digit base = decided_cnt;
    // Until a guess is made the board is the one phase 0 scanned, and
    // phase 1 scans the same view.
    if (ph.scans && (phase != 1 || guessed)) {
      if (!guessed && entry_pairs_ != nullptr) {
        marked = (*entry_pairs_)[static_cast<int>(ph.view)];
        set_flags(marked, unit_flag1);
      } else {
        marked = mark(ph.view, 2, unit_flag1);
      }
    }
    for (unsigned units = marked; units != 0; units &= units - 1) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return;
      const int u = std::countr_zero(units);
      // The guess, as the cells it fixes and which of their two digits.
      SnapshotGuess guess{};
      bool take_first = ph.first_cell_takes_first;
      for (int p = 0; p < 9; ++p) {
        const int at = kUnitCell[int(ph.view)][u][p];
        const Cands c = gs.cand[at];
        if (at_most_one_cand(c) || !at_most_cands(c, 2)) continue;
        guess.cells[at / 64] |= 1ull << (at % 64);
        if (!take_first) guess.larger[at / 64] |= 1ull << (at % 64);
        take_first = !ph.first_cell_takes_first;
      }
      // Off the snapshot the board is what the rounds left at a standstill,
      // already found unsolved: a guess that fixes no cell leaves it as it
      // is, and is undone.
      if (!at_snapshot && guess.cells[0] == 0 && guess.cells[1] == 0) {
        find_conflict();
        load_sv1();
        at_snapshot = true;
        continue;
      }
      // Another unit or phase may make the very same guess on the snapshot;
      // its count is known, and if it undoes the guess, nothing changes.
      const SnapshotGuess* seen = at_snapshot && guessed ? find_tried(guess) : nullptr;
      if (seen && seen->decided <= base + 2) continue;
      // The snapshot and the index of guesses tried on it are needed from the
      // first guess on; a call that makes none spares them.
      if (!guessed) {
        save_sv1();
        tried_slots_.fill(0);
        guessed = true;
      }
      for (int w = 0; w < 2; ++w)
        for (std::uint64_t m = guess.cells[w]; m != 0; m &= m - 1) {
          const int at = w * 64 + std::countr_zero(m);
          const Cands c = gs.cand[at];
          gs.set_digit(at, (guess.larger[w] >> (at % 64)) & 1 ? last_cand(c) : first_cand(c));
        }
      // Where the way ends: a board in the memo, or the board itself when
      // the rounds ran here. A board from the memo is taken only when the
      // guess is kept; an undone guess needs its counts alone.
      const std::uint64_t hash = StandstillMemo::hash_of(gs);
      const Board* end = standstill_.find(gs, hash);
      if (end == nullptr) {
        standstill_.begin(gs, hash);
        count_cand();
        end = propagate_via_memo();
        standstill_.finish(gs);
      }
      const Board& out = end != nullptr ? *end : gs;
      decided_cnt = static_cast<Digit>(out.singles);
      conflict_flag = out.repeated != 0 ? 1 : 0;  // as find_conflict on that board
      if (conflict_flag == 0 && decided_cnt == fill_target) {
        if (end != nullptr) gs = *end;
        solved_flag = 1;
        return;
      }
      // Made on the snapshot, the guess comes to the same count whenever it
      // is made there again, kept or not; a higher base may undo it then.
      if (at_snapshot && seen == nullptr && tried_count_ < tried_.size()) {
        guess.decided = decided_cnt;
        keep_tried(guess);
      }
      // The count alone decides: a guess that repeats a digit may be kept.
      if (decided_cnt > base + 2) {
        if (end != nullptr) gs = *end;
        at_snapshot = false;
        goto restart;
      }
      load_sv1();
      at_snapshot = true;
    }
  }
}

std::size_t OneGoSolver::tried_home(const SnapshotGuess& guess) {
  const std::uint64_t key = guess.cells[0] ^ guess.cells[1] * 0x9E3779B97F4A7C15ull ^
                            guess.larger[0] * 0xC4CEB9FE1A85EC53ull ^
                            guess.larger[1] * 0xFF51AFD7ED558CCDull;
  return static_cast<std::size_t>((key * 0xD6E8FEB86659FD93ull) >> 57);
}

const OneGoSolver::SnapshotGuess* OneGoSolver::find_tried(const SnapshotGuess& guess) const {
  for (std::size_t i = tried_home(guess);; i = (i + 1) % tried_slots_.size()) {
    if (tried_slots_[i] == 0) return nullptr;
    const SnapshotGuess& u = tried_[tried_slots_[i] - 1];
    if (u.cells == guess.cells && u.larger == guess.larger) return &u;
  }
}

void OneGoSolver::keep_tried(const SnapshotGuess& guess) {
  std::size_t i = tried_home(guess);
  while (tried_slots_[i] != 0) i = (i + 1) % tried_slots_.size();
  tried_[tried_count_++] = guess;
  tried_slots_[i] = static_cast<std::uint8_t>(tried_count_);
}

namespace {
constexpr View kTrialTwoParts[3] = {View::block, View::row, View::column};
}  // namespace

void OneGoSolver::know_solution(const Puzzle& givens, const Puzzle& solution) {
  givens_ = givens;
  for (int at = 0; at < 81; ++at) possible_[at] = cands_of(solution[kBlockEntry[at]]);
  uniqueness_ = Uniqueness::not_known;
  other_found_ = none_found_ = 0;
  solution_known_ = true;
}

bool OneGoSolver::ends_unchanged(int at, int digit) {
  // trial_one never ends on an accepted guess: every board it reaches from
  // its entry board lists a subset of each cell's candidates there, so a
  // unit whose open cells list two digits each stays such a unit (or loses
  // its open cells), and the scan after an accepted guess finds a unit to
  // guess in again. Each phase thus ends back on the board it started
  // from, and trial_one on its entry board, unless it completes the board.
  // That takes a solution with the digit in the cell.
  if (!solution_known_ || (possible_[at] & cands_of(digit)) != 0) return false;
  if (uniqueness_ == Uniqueness::unique) return true;
  // Where solutions are so many that most searches find one more, the
  // searches cost more than the trials they spare.
  if (other_found_ > 2 * none_found_ + 1) return false;
  // One count settles every guess of a puzzle with a single solution.
  if (uniqueness_ == Uniqueness::not_known) {
    uniqueness_ = count_solutions(givens_, 2) == 1 ? Uniqueness::unique : Uniqueness::several;
    if (uniqueness_ == Uniqueness::unique) return true;
  }
  Puzzle with_guess = givens_;
  with_guess[kBlockEntry[at]] = static_cast<Digit>(digit);
  Puzzle other;
  if (!complete_search(with_guess, other)) {
    ++none_found_;
    return true;
  }
  // Each solution found vouches for all of its digits at once.
  ++other_found_;
  uniqueness_ = Uniqueness::several;
  for (int k = 0; k < 81; ++k) possible_[k] |= cands_of(other[kBlockEntry[k]]);
  return false;
}

TrialOutcome OneGoSolver::trial_on_snapshot(int at, int digit,
                                            const std::array<unsigned, 3>& pairs) {
  gs.set_digit(at, digit);
  conflict_flag = 0;
  count_cand();
  const Digit guessed_cnt = decided_cnt;
  entry_pairs_ = &pairs;
  trial_one();
  entry_pairs_ = nullptr;
  if (solved_flag == 1) return TrialOutcome::solved;
  // trial_one ends on its entry board unless it completes it (see
  // ends_unchanged); the count is compared all the same, as the trial's
  // own rule.
  count_cand();
  return decided_cnt == guessed_cnt ? TrialOutcome::unchanged : TrialOutcome::changed;
}

std::array<unsigned, 3> OneGoSolver::pairs_after_guess(int at) const {
  const Cands before = sv2.cand[at];
  const int width = kBitCount9[(before >> 1) & 511] + (before & 1);
  std::array<unsigned, 3> after{};
  for (int w = 0; w < 3; ++w) {
    const int unit = kCellUnit[at][w];
    const bool pair =
        sv2.open_listings(w, unit) - width == 2 * (kBitCount9[sv2.open_cells[w][unit]] - 1);
    after[w] = (snapshot_pairs_[w] & ~(1u << unit)) | static_cast<unsigned>(pair) << unit;
  }
  return after;
}

std::vector<SnapshotTrial> OneGoSolver::snapshot_trials() {
  std::vector<SnapshotTrial> trials;
  if (sv2.repeated != 0) return trials;
  std::array<bool, 810> listed{};
  for (const View view : kTrialTwoParts)
    for (unsigned units = snapshot_narrow_[static_cast<int>(view)]; units != 0;
         units &= units - 1) {
      const int u = std::countr_zero(units);
      for (int p = 0; p < 9; ++p) {
        const int at = kUnitCell[static_cast<int>(view)][u][p];
        const Cands c = sv2.cand[at];
        if (at_most_one_cand(c) || !at_most_cands(c, 3)) continue;
        const std::array<unsigned, 3> after = pairs_after_guess(at);
        if ((after[0] | after[1] | after[2]) == 0) continue;
        const auto free = static_cast<Cands>(~sv2.placed_around(at) & kAllCands);
        for (Cands f = free; f != 0; f &= static_cast<Cands>(f - 1)) {
          const int d = first_cand(f);
          if (listed[at * 10 + d]) continue;
          listed[at * 10 + d] = true;
          if (ends_unchanged(at, d)) {
            nested_[at * 10 + d].kind = NestedOutcome::unchanged;
            continue;
          }
          trials.push_back({static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(d), after});
        }
      }
    }
  return trials;
}

TrialOutcome OneGoSolver::outcome_on_snapshot(int at, int digit,
                                              const std::array<unsigned, 3>& pairs) {
  TrialOutcome outcome{};
  if (ahead_ != nullptr && ahead_->take(at, digit, outcome, gs)) {
    // Unchanged: the board is the one the guess makes; otherwise take put
    // the helper's board into gs.
    if (outcome == TrialOutcome::unchanged) gs.set_digit(at, digit);
    return outcome;
  }
  return trial_on_snapshot(at, digit, pairs);
}

void OneGoSolver::trial_two() {
  second_level();
  if (ahead_ != nullptr) {
    ahead_->stop();
    ahead_ = nullptr;
  }
}

void OneGoSolver::second_level() {
  solved_flag = 0;
  save_sv2();
  bool at_snapshot = true;  // the board is the entry snapshot, as the memo needs
  // The first-level scans of the snapshot: a guess on it changes only the
  // units of its own cell.
  snapshot_pairs_ = {pair_units(0), pair_units(1), pair_units(2)};
  std::array<Digit, 10> flags{};
  snapshot_narrow_ = {mark(View::block, 3, flags), mark(View::row, 3, flags),
                      mark(View::column, 3, flags)};
  // Every outcome unknown (0).
  std::memset(nested_.data(), 0, sizeof nested_);
  nested_boards_.clear();
  if (Lookahead& ahead = Lookahead::instance(); ahead.enabled) {
    std::vector<SnapshotTrial> trials = snapshot_trials();
    // With one guess or none, the helper would have nothing to do alongside.
    if (trials.size() > 1 && ahead.start(sv2, fill_target, std::move(trials))) ahead_ = &ahead;
  }
  count_cand();
  for (int part = 0; part < 3; ++part) {
    const View view = kTrialTwoParts[part];
    if (part > 0) count_cand();
    Digit base = static_cast<Digit>(decided_cnt + 1);
  restart:
    // On the snapshot the second-level scan is known from the start.
    unsigned marked = snapshot_narrow_[static_cast<int>(view)];
    if (at_snapshot)
      set_flags(marked, unit_flag2);
    else
      marked = mark(view, 3, unit_flag2);
    for (int u = 0; u < 9; ++u) {
      if (((marked >> u) & 1) == 0) continue;
      for (int p = 0; p < 9; ++p) {
        // Tested once, on the board as it stands when the cell comes up.
        const Cands c = gs.cand_at(view, u, p);
        if (at_most_one_cand(c) || !at_most_cands(c, 3)) continue;
        for (int d = 1; d <= 9; ++d) {
          const int at = kUnitCell[int(view)][u][p];
          // The digit repeats when the board holds a repeat already or a
          // unit of the cell has the digit: then the guess is undone at
          // once, and on the snapshot there is nothing to undo, so the
          // next digit that does not repeat comes up at once.
          if (at_snapshot) {
            const Cands free =
                gs.repeated != 0
                    ? kNoCands
                    : static_cast<Cands>(~gs.placed_around(at) & kAllCands & ~(cands_of(d) - 1));
            conflict_flag = 0;
            if (free == kNoCands) break;
            d = first_cand(free);
          } else if (gs.repeated != 0 || (gs.placed_around(at) & cands_of(d)) != 0) {
            conflict_flag = 0;
            load_sv2();
            at_snapshot = true;
            continue;
          }
          std::array<unsigned, 3> pairs{};
          if (at_snapshot) {
            pairs = pairs_after_guess(at);
            // With no unit to guess in, the first level would leave the
            // board as the guess made it, and the guess would be undone.
            if ((pairs[0] | pairs[1] | pairs[2]) == 0) {
              conflict_flag = 0;
              continue;
            }
          }
          NestedOutcome* memo = at_snapshot ? &nested_[at * 10 + d] : nullptr;
          conflict_flag = 0;
          if (memo && memo->kind == NestedOutcome::unknown && ends_unchanged(at, d))
            memo->kind = NestedOutcome::unchanged;
          if (memo && memo->kind == NestedOutcome::unknown) {
            const TrialOutcome outcome = outcome_on_snapshot(at, d, pairs);
            if (outcome == TrialOutcome::solved) {
              solved_flag = 1;
              return;
            }
            if (outcome == TrialOutcome::unchanged) {
              memo->kind = NestedOutcome::unchanged;
            } else {
              memo->kind = NestedOutcome::changed;
              memo->board = static_cast<std::uint16_t>(nested_boards_.size());
              nested_boards_.push_back(gs);
            }
          } else if (memo && memo->kind == NestedOutcome::changed) {
            gs = nested_boards_[memo->board];
          } else {
            gs.set_digit(at, d);
            count_cand();
            if (!memo) {
              trial_one();
              if (solved_flag == 1) return;
            }
          }
          count_cand();
          if (decided_cnt > base) {
            base = decided_cnt;
            at_snapshot = false;
            goto restart;
          }
          load_sv2();
          at_snapshot = true;
        }
      }
      load_sv2();
      at_snapshot = true;
      marked = snapshot_narrow_[static_cast<int>(view)];
      set_flags(marked, unit_flag2);
    }
  }
}

}  // namespace tesura
