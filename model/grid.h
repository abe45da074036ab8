// SPDX-License-Identifier: MIT
#pragma once
// The board's state, held three times over: by block (the master copy), by
// row and by column, each as a table of candidate strings and a table of
// placed digits. The window owns one Grid and only observes it: every
// change goes through the methods below.
//
// What a cell holds depends on the phase:
//   entry:               open cell "123456789"/0, entered digit "7"/7
//   from acceptance on:  given ""/7, open cell its candidates/0,
//                        decided cell "7"/7
// The empty string marks a given from acceptance on.
#include "model/cands.h"
#include "model/table.h"

namespace tesura {

using CandTable = Table9<Cands>;
using ValTable = Table9<Digit>;

class Grid {
 public:
  // Block view [block, cell in block]: the master copy.
  CandTable gs_cand;
  ValTable gs_val;
  // Row view [row, column] and column view [column, row]: rebuilt from the
  // block view by sync_views, written back by ygs_gs and tgs_gs.
  CandTable ygs_cand;
  ValTable ygs_val;
  CandTable tgs_cand;
  ValTable tgs_val;
  // The puzzle as accepted, kept for the return after an unsolvable solve.
  CandTable sv0_cand;
  ValTable sv0_val;

  Digit decided_cnt = 0;  // one-character strings in the block view; fresh after count_cand

  // Every cell of all three views becomes "123456789" and 0. Saved copies,
  // counters and flags are left as they are.
  void reset_cells();

  // Rebuilds the row and column views from the block view.
  void sync_views();
  // Writes the whole row view (ygs_gs) or column view (tgs_gs) into the
  // block view; the other view is left stale until the next sync_views.
  void ygs_gs();
  void tgs_gs();
  // decided_cnt := number of block-view strings exactly one character long.
  void count_cand();
  // Turns every empty block-view string into the text of its digit ("0" for
  // an emptied cell), then sync_views.
  void modosu_gs();

  void save_sv0();
  // Copies the saved puzzle back into the block view; the caller syncs.
  void load_sv0();

  // Entry (block view only; the other views follow at sync_views).
  // A drop of palette digit d (1 to 9) on cell (block, cell).
  void drop_digit(int block, int cell, int digit);
  // A press on a cell: down for the right button, up for any other,
  // through the blank. Returns the new digit, 0 for blank.
  Digit step_digit(int block, int cell, bool down);

  // Empties every one-character block-view string: the givens' mark.
  void clear_given_cand();
  // Puts the givens (empty strings) back as entered digits and clears every
  // other cell, then sync_views.
  void return_to_first_problem();
};

}  // namespace tesura
