// SPDX-License-Identifier: MIT
#pragma once
// A literal, string-based model of input completion and the one-go solve,
// kept deliberately naive so that the fast engine can be checked against it:
// candidate strings and 16-bit values in three separately stored views,
// indexed from 1, one function per routine and every loop in the order the
// rules give. It shares nothing with the engine but the puzzle type and the
// complete search that decides a puzzle the trial searches give up on.
#include <cstdint>
#include <string>
#include <vector>

#include "model/puzzle.h"

namespace tesura::reference {

template <typename T>
using Table = T[10][10];  // [unit][position] from 1; index 0 unused

class LiteralForm {
 public:
  LiteralForm() { form_load(); }

  Table<std::string> gs_cand, ygs_cand, tgs_cand, sv0_cand, sv1_cand, sv2_cand;
  Table<int16_t> gs_val{}, ygs_val{}, tgs_val{}, sv0_val{}, sv1_val{}, sv2_val{};
  int16_t decided_cnt = 0, prev_decided_cnt = 0, given_cnt = 0, open_cnt = 0, fill_target = 0;
  int16_t unit_flag1[10] = {}, unit_flag2[10] = {};
  int16_t conflict_flag = 0, solved_flag = 0;
  Table<char> tile{};                 // what each board tile shows: a digit or '.'
  std::vector<std::string> drawings;  // the 81 tiles in reading order at each show_board
  Puzzle entered{};                   // the puzzle as entered, for the complete search

  void form_load();
  void sync_views();
  void ygs_gs();
  void tgs_gs();
  void count_cand();
  void count_given();

  void check_gs() { check(gs_cand, gs_val); }
  void check_ygs() { check(ygs_cand, ygs_val); }
  void check_tgs() { check(tgs_cand, tgs_val); }
  void place_unique_gs() { place_unique(gs_cand, gs_val); }
  void place_unique_ygs() { place_unique(ygs_cand, ygs_val); }
  void place_unique_tgs() { place_unique(tgs_cand, tgs_val); }
  void solve_round();

  void mark1_gs(int16_t n) { mark(gs_cand, unit_flag1, n); }
  void mark1_ygs(int16_t n) { mark(ygs_cand, unit_flag1, n); }
  void mark1_tgs(int16_t n) { mark(tgs_cand, unit_flag1, n); }
  void mark2_gs(int16_t n) { mark(gs_cand, unit_flag2, n); }
  void mark2_ygs(int16_t n) { mark(ygs_cand, unit_flag2, n); }
  void mark2_tgs(int16_t n) { mark(tgs_cand, unit_flag2, n); }
  void find_conflict();
  void save_sv0() { copy(gs_cand, gs_val, sv0_cand, sv0_val); }
  void load_sv0() { copy(sv0_cand, sv0_val, gs_cand, gs_val); }
  void save_sv1() { copy(gs_cand, gs_val, sv1_cand, sv1_val); }
  void load_sv1() { copy(sv1_cand, sv1_val, gs_cand, gs_val); }
  void save_sv2() { copy(gs_cand, gs_val, sv2_cand, sv2_val); }
  void load_sv2() { copy(sv2_cand, sv2_val, gs_cand, gs_val); }
  void trial_one();
  void trial_two();

  void validate_input();
  void mark_givens(int16_t len);
  void clear_given_cand();
  void show_board();
  void mnusaisyo_Click();
  // "" when the entry is accepted, else the message that refuses it.
  std::string btninput_Click(int min_entries);
  // The stage that ended the solve, named as stage_name names it.
  std::string btnans_Click();

  // All three views, cell by cell: "candidates/value " in view order.
  std::string views() const;

 private:
  static void check(Table<std::string>& cand, Table<int16_t>& val);
  static void place_unique(Table<std::string>& cand, Table<int16_t>& val);
  static void mark(const Table<std::string>& cand, int16_t* flag, int16_t n);
  static void copy(const Table<std::string>& from_cand, const Table<int16_t>& from_val,
                   Table<std::string>& to_cand, Table<int16_t>& to_val);
};

// Enters the puzzle by drops, finishes the input and solves it; returns the
// refusal or the stage, as the two commands report it.
std::string literal_solve(LiteralForm& form, const Puzzle& puzzle, int min_entries);

}  // namespace tesura::reference
