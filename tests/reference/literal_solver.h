#pragma once
// A literal, string-based model of the solver, kept deliberately naive so
// that the fast solver can be checked against it. Every routine works on
// candidate strings and 16-bit values in three separately stored views,
// indexed from 1 as the routines describe them; nothing is shared with the
// production engine except the puzzle type and the complete search that
// decides a puzzle the trial searches give up on.
#include <cstdint>
#include <string>
#include <vector>

#include "model/puzzle.h"

namespace tesura::reference {

// One 9 x 9 table indexed [unit][position] from 1; index 0 is unused.
template <typename T>
using Table = T[10][10];

// One guess of a trial search, for tests that look at the order of guesses.
struct TrialGuess {
  int level;           // 1 = trial_one, 2 = trial_two
  int phase;           // trial_one: 1..6; trial_two: 1..3
  int unit;            // 1..9
  std::string digits;  // the digits written, in cell order ("" when none)
};

class LiteralForm {
 public:
  LiteralForm();

  Table<std::string> gs_cand;
  Table<int16_t> gs_val;
  Table<std::string> ygs_cand;
  Table<int16_t> ygs_val;
  Table<std::string> tgs_cand;
  Table<int16_t> tgs_val;
  Table<std::string> sv0_cand;
  Table<int16_t> sv0_val;
  Table<std::string> sv1_cand;
  Table<int16_t> sv1_val;
  Table<std::string> sv2_cand;
  Table<int16_t> sv2_val;

  int16_t decided_cnt = 0;
  int16_t prev_decided_cnt = 0;
  int16_t given_cnt = 0;
  int16_t open_cnt = 0;
  int16_t fill_target = 0;
  int16_t unit_flag1[10] = {};
  int16_t unit_flag2[10] = {};
  int16_t conflict_flag = 0;
  int16_t solved_flag = 0;

  // What each board tile shows: a digit character or '.', [block][cell].
  char tile[10][10];
  // One entry per show_board: the 81 tiles in reading order.
  std::vector<std::string> drawings;

  bool log_guesses = false;
  std::vector<TrialGuess> guesses;

  // Start-up: every cell of all three views "123456789" and 0, blank tiles.
  void form_load();
  // A digit dropped on block b, cell k during entry (block view only).
  void enter_digit(int b, int k, int16_t d);

  void sync_views();
  void ygs_gs();
  void tgs_gs();
  void count_cand();
  void count_given();
  void modosu_gs();

  void check_gs();
  void check_ygs();
  void check_tgs();
  void place_unique_gs();
  void place_unique_ygs();
  void place_unique_tgs();
  void solve_round();

  void mark1_gs(int16_t n);
  void mark1_ygs(int16_t n);
  void mark1_tgs(int16_t n);
  void mark2_gs(int16_t n);
  void mark2_ygs(int16_t n);
  void mark2_tgs(int16_t n);
  void find_conflict();
  void save_sv1();
  void load_sv1();
  void save_sv2();
  void load_sv2();
  void trial_one();
  void trial_two();

  void validate_input();
  void mark_givens(int16_t len);
  void clear_given_cand();
  void save_sv0();
  void load_sv0();
  void show_board();
  void mnusaisyo_model();

  // Input completion; returns "" when accepted, else the refusal stage.
  std::string btninput_Click(int min_entries = 20);
  // The solve command; returns the stage that ended it.
  std::string btnans_Click();

 private:
  void trial_one_phase(int phase);
  bool trial_two_part(int part);
};

struct LiteralRun {
  // "refused_too_few", "refused_repeat", "given", "propagation", "trial1",
  // "trial2", "search", "unsolvable"
  std::string stage;
  // One per show_board: 81 characters in reading order, the digit a tile
  // shows (givens included) and '.' for a blank tile.
  std::vector<std::string> drawings;
  // The block view's values in reading order after the command, '0' where
  // no digit stands.
  std::string final_board;
};

// Enters the puzzle as a user would, finishes the input and solves it.
LiteralRun literal_solve(const tesura::Puzzle& puzzle, int min_entries = 20);

// The block view's values in reading order, '0' where none.
std::string block_values(const LiteralForm& form);

}  // namespace tesura::reference
