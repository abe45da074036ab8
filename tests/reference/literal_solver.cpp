// SPDX-License-Identifier: MIT
#include "tests/reference/literal_solver.h"

#include "solver/complete_search.h"

namespace tesura::reference {
namespace {

// Block and position in the block of the cell in row r, column c.
int blk(int r, int c) {
  return 3 * ((r - 1) / 3) + (c - 1) / 3 + 1;
}
int pos(int r, int c) {
  return 3 * ((r - 1) % 3) + (c - 1) % 3 + 1;
}
// The decimal text of a value, as the comparisons read it ("0" for none).
std::string text_of(int v) {
  return std::to_string(v);
}
// f(i, j) for i = 1 to 9 (outer) and j = 1 to 9 (inner).
template <class F>
void each(F f) {
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j) f(i, j);
}

}  // namespace

void LiteralForm::form_load() {
  each([&](int i, int j) {
    gs_cand[i][j] = ygs_cand[i][j] = tgs_cand[i][j] = "123456789";
    gs_val[i][j] = ygs_val[i][j] = tgs_val[i][j] = 0;
    tile[i][j] = '.';
  });
}

// The row view's loop is (row i, column j), the column view's (column i, row j).
void LiteralForm::sync_views() {
  each([&](int i, int j) {
    ygs_cand[i][j] = gs_cand[blk(i, j)][pos(i, j)];
    ygs_val[i][j] = gs_val[blk(i, j)][pos(i, j)];
  });
  each([&](int i, int j) {
    tgs_cand[i][j] = gs_cand[blk(j, i)][pos(j, i)];
    tgs_val[i][j] = gs_val[blk(j, i)][pos(j, i)];
  });
}

void LiteralForm::ygs_gs() {
  each([&](int i, int j) {
    gs_cand[blk(i, j)][pos(i, j)] = ygs_cand[i][j];
    gs_val[blk(i, j)][pos(i, j)] = ygs_val[i][j];
  });
}

void LiteralForm::tgs_gs() {
  each([&](int i, int j) {
    gs_cand[blk(j, i)][pos(j, i)] = tgs_cand[i][j];
    gs_val[blk(j, i)][pos(j, i)] = tgs_val[i][j];
  });
}

void LiteralForm::count_cand() {
  decided_cnt = 0;
  each([&](int b, int k) { decided_cnt += gs_cand[b][k].length() == 1 ? 1 : 0; });
}

void LiteralForm::count_given() {
  given_cnt = 0;
  each([&](int b, int k) { given_cnt += gs_cand[b][k].empty() ? 1 : 0; });
}

void LiteralForm::check(Table<std::string>& cand, Table<int16_t>& val) {
  for (int u = 1; u <= 9; ++u)
    for (int p = 1; p <= 9; ++p) {
      if (cand[u][p].length() <= 1) continue;
      std::string result;
      for (const char c : cand[u][p]) {
        bool dropped = false;
        for (int k = 1; k <= 9; ++k)
          if (text_of(val[u][k]) == std::string(1, c)) dropped = true;
        if (!dropped) result += c;
      }
      cand[u][p] = result;
      if (result.length() == 1) val[u][p] = static_cast<int16_t>(std::stoi(result));
    }
}

void LiteralForm::place_unique(Table<std::string>& cand, Table<int16_t>& val) {
  for (int u = 1; u <= 9; ++u) {
    int16_t counter[10] = {};
    for (int p = 1; p <= 9; ++p)
      for (const char c : cand[u][p])
        if (c >= '1' && c <= '9') ++counter[c - '0'];
    for (int d = 1; d <= 9; ++d) {
      if (counter[d] != 1) continue;
      for (int p = 1; p <= 9; ++p)
        if (cand[u][p].find(text_of(d)) != std::string::npos) {
          cand[u][p] = text_of(d);
          val[u][p] = static_cast<int16_t>(d);
          break;
        }
    }
  }
}

void LiteralForm::solve_round() {
  for (int rep = 1; rep <= 3; ++rep) {
    check_gs();
    sync_views();
    check_ygs();
    ygs_gs();
    sync_views();
    check_tgs();
    tgs_gs();
    sync_views();
  }
  place_unique_gs();
  sync_views();
  place_unique_ygs();
  ygs_gs();
  sync_views();
  place_unique_tgs();
  tgs_gs();
  sync_views();
}

void LiteralForm::mark(const Table<std::string>& cand, int16_t* flag, int16_t n) {
  for (int u = 1; u <= 9; ++u) flag[u] = 0;
  for (int u = 1; u <= 9; ++u) {
    int narrow = 0, settled = 0;
    for (int c = 1; c <= 9; ++c) {
      const std::size_t len = cand[u][c].length();
      if ((n == 2 && len == 2) || (n == 3 && (len == 2 || len == 3))) ++narrow;
      if (len == 0 || len == 1) ++settled;
    }
    if (narrow + settled == 9) flag[u] = 1;
  }
}

void LiteralForm::find_conflict() {
  conflict_flag = 0;
  for (Table<int16_t>* view : {&gs_val, &ygs_val, &tgs_val})
    for (int u = 1; u <= 9; ++u) {
      int16_t tally[10] = {};
      for (int c = 1; c <= 9; ++c)
        for (int d = 1; d <= 9; ++d)
          if ((*view)[u][c] == d) ++tally[d];
      for (int d = 1; d <= 9; ++d)
        if (tally[d] >= 2) {
          conflict_flag = 1;
          return;
        }
    }
}

void LiteralForm::copy(const Table<std::string>& from_cand, const Table<int16_t>& from_val,
                       Table<std::string>& to_cand, Table<int16_t>& to_val) {
  each([&](int i, int j) {
    to_cand[i][j] = from_cand[i][j];
    to_val[i][j] = from_val[i][j];
  });
}

// Phases 1-2 guess in blocks, 3-4 in rows, 5-6 in columns; odd phases give
// the unit's first two-candidate cell its first character, even ones its second.
void LiteralForm::trial_one() {
  solved_flag = 0;
  save_sv1();
  count_cand();
  for (int phase = 1; phase <= 6; ++phase) {
    Table<std::string>& cand = phase <= 2 ? gs_cand : phase <= 4 ? ygs_cand : tgs_cand;
    Table<int16_t>& val = phase <= 2 ? gs_val : phase <= 4 ? ygs_val : tgs_val;
    if (phase >= 2) count_cand();
  restart:
    const int16_t base = decided_cnt;
    if (phase <= 2) mark1_gs(2);
    if (phase == 3) mark1_ygs(2);
    if (phase == 5) mark1_tgs(2);
    for (int u = 1; u <= 9; ++u) {
      if (unit_flag1[u] == 0) continue;
      std::size_t position = phase % 2 == 1 ? 1 : 2;
      for (int c = 1; c <= 9; ++c)
        if (cand[u][c].length() == 2) {
          cand[u][c] = cand[u][c].substr(position - 1, 1);
          val[u][c] = static_cast<int16_t>(std::stoi(cand[u][c]));
          position = phase % 2 == 1 ? 2 : 1;
        }
      if (phase == 3 || phase == 4) ygs_gs();
      if (phase == 5 || phase == 6) tgs_gs();
      sync_views();
      count_cand();
      int16_t prev = 0;
      do {
        prev = decided_cnt;
        solve_round();
        count_cand();
      } while (decided_cnt > prev);
      find_conflict();
      if (conflict_flag == 0 && decided_cnt == fill_target) {
        solved_flag = 1;
        return;
      }
      if (decided_cnt > base + 2) goto restart;
      load_sv1();
      sync_views();
    }
  }
}

void LiteralForm::trial_two() {
  solved_flag = 0;
  save_sv2();
  count_cand();
  for (int part = 1; part <= 3; ++part) {
    Table<std::string>& cand = part == 1 ? gs_cand : part == 2 ? ygs_cand : tgs_cand;
    Table<int16_t>& val = part == 1 ? gs_val : part == 2 ? ygs_val : tgs_val;
    auto scan = [&] { part == 1 ? mark2_gs(3) : part == 2 ? mark2_ygs(3) : mark2_tgs(3); };
    if (part >= 2) count_cand();
    int16_t base = static_cast<int16_t>(decided_cnt + 1);
  restart:
    scan();
    for (int u = 1; u <= 9; ++u) {
      if (unit_flag2[u] == 0) continue;
      for (int c = 1; c <= 9; ++c) {
        const std::size_t len = cand[u][c].length();  // looked at once, before the digits
        if (len != 2 && len != 3) continue;
        for (int16_t d = 1; d <= 9; ++d) {
          cand[u][c] = text_of(d);
          val[u][c] = d;
          if (part == 2) ygs_gs();
          if (part == 3) tgs_gs();
          sync_views();
          find_conflict();
          if (conflict_flag == 1) {
            conflict_flag = 0;
          } else {
            count_cand();
            trial_one();
            if (solved_flag == 1) return;
            count_cand();
            if (decided_cnt > base) {
              base = decided_cnt;
              goto restart;
            }
          }
          load_sv2();
          sync_views();
        }
      }
      load_sv2();
      sync_views();
      scan();
    }
  }
}

void LiteralForm::validate_input() {
  conflict_flag = 0;
  for (Table<std::string>* view : {&gs_cand, &ygs_cand, &tgs_cand})
    for (int u = 1; u <= 9; ++u) {
      int16_t counter[10] = {};
      for (int p = 1; p <= 9; ++p)
        for (int d = 1; d <= 9; ++d)
          if ((*view)[u][p] == text_of(d)) ++counter[d];
      for (int d = 1; d <= 9; ++d)
        if (counter[d] >= 2) {
          conflict_flag = 1;
          return;
        }
    }
}

void LiteralForm::mark_givens(int16_t len) {
  each([&](int n, int k) {
    if (gs_cand[n][k].length() == static_cast<std::size_t>(len)) tile[n][k] = gs_cand[n][k][0];
  });
}

void LiteralForm::clear_given_cand() {
  each([&](int i, int j) {
    if (gs_cand[i][j].length() == 1) gs_cand[i][j] = "";
  });
}

void LiteralForm::show_board() {
  each([&](int b, int k) {
    if (gs_cand[b][k].length() == 1) tile[b][k] = gs_cand[b][k][0];
  });
  std::string shown;
  each([&](int r, int c) { shown += tile[blk(r, c)][pos(r, c)]; });
  drawings.push_back(shown);
}

void LiteralForm::mnusaisyo_Click() {
  each([&](int n, int k) {
    const bool given = gs_cand[n][k].empty();
    if (!given) gs_val[n][k] = 0;
    gs_cand[n][k] = given ? text_of(gs_val[n][k]) : "123456789";
    tile[n][k] = given ? gs_cand[n][k][0] : '.';
  });
  sync_views();
}

std::string LiteralForm::btninput_Click(int min_entries) {
  sync_views();
  count_cand();
  if (decided_cnt < min_entries) return "入力個所が少な過ぎます";
  validate_input();
  if (conflict_flag != 0) {
    conflict_flag = 0;
    return "入力数値にミスがあります";
  }
  mark_givens(1);
  clear_given_cand();
  sync_views();
  save_sv0();
  return "";
}

std::string LiteralForm::btnans_Click() {
  count_cand();
  prev_decided_cnt = decided_cnt;
  count_given();
  open_cnt = static_cast<int16_t>(81 - given_cnt);
  fill_target = open_cnt;
  for (;;) {
    if (!(open_cnt > 0)) return "given";
    solve_round();
    count_cand();
    if (decided_cnt == fill_target) {
      // A full board is an answer only without a repeated digit; with one it
      // is a contradiction, left to the searches like a stall.
      find_conflict();
      if (conflict_flag == 0) {
        show_board();
        return "propagation";
      }
      break;
    }
    if (decided_cnt == prev_decided_cnt) break;
    open_cnt = static_cast<int16_t>(open_cnt - (decided_cnt - prev_decided_cnt));
    prev_decided_cnt = decided_cnt;
    show_board();
  }
  trial_one();
  if (solved_flag == 1) {
    solved_flag = 0;
    show_board();
    return "trial1";
  }
  trial_two();
  if (solved_flag == 1) {
    solved_flag = 0;
    show_board();
    return "trial2";
  }
  // Only a complete search from the entered puzzle may call it unsolvable.
  if (Puzzle solution{}; complete_search(entered, solution)) {
    load_sv0();
    each([&](int r, int c) {
      if (gs_cand[blk(r, c)][pos(r, c)].empty()) return;
      gs_val[blk(r, c)][pos(r, c)] = solution[(r - 1) * 9 + c - 1];
      gs_cand[blk(r, c)][pos(r, c)] = text_of(solution[(r - 1) * 9 + c - 1]);
    });
    sync_views();
    show_board();
    return "search";
  }
  load_sv0();
  sync_views();
  mnusaisyo_Click();
  sync_views();
  return "unsolvable";
}

std::string LiteralForm::views() const {
  std::string out;
  for (const auto* view : {&gs_cand, &ygs_cand, &tgs_cand}) {
    const Table<int16_t>& val = view == &gs_cand ? gs_val : view == &ygs_cand ? ygs_val : tgs_val;
    each([&](int i, int j) { out += (*view)[i][j] + "/" + text_of(val[i][j]) + " "; });
  }
  return out;
}

std::string literal_solve(LiteralForm& form, const Puzzle& puzzle, int min_entries) {
  form.entered = puzzle;
  each([&](int r, int c) {
    if (const int16_t d = puzzle[(r - 1) * 9 + c - 1]; d != 0) {
      form.gs_cand[blk(r, c)][pos(r, c)] = text_of(d);
      form.gs_val[blk(r, c)][pos(r, c)] = d;
      form.tile[blk(r, c)][pos(r, c)] = static_cast<char>('0' + d);
    }
  });
  const std::string refusal = form.btninput_Click(min_entries);
  return refusal.empty() ? form.btnans_Click() : refusal;
}

}  // namespace tesura::reference
