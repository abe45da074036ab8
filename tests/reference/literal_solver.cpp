#include "tests/reference/literal_solver.h"

#include "solver/complete_search.h"

namespace tesura::reference {
namespace {

// Block and position of the cell in row i, column j (row-view loop).
int row_block(int i, int j) {
  return 3 * ((i - 1) / 3) + ((j - 1) / 3) + 1;
}
int row_pos(int i, int j) {
  return 3 * ((i - 1) % 3) + ((j - 1) % 3) + 1;
}
// Block and position of the cell in column i, row j (column-view loop).
int col_block(int i, int j) {
  return 3 * ((j - 1) / 3) + ((i - 1) / 3) + 1;
}
int col_pos(int i, int j) {
  return 3 * ((j - 1) % 3) + ((i - 1) % 3) + 1;
}

// The decimal text of a value, as the comparisons read it ("0" for none).
std::string text_of(int16_t v) {
  return std::to_string(v);
}

void check_view(Table<std::string>& cand, Table<int16_t>& val) {
  for (int u = 1; u <= 9; ++u) {
    for (int p = 1; p <= 9; ++p) {
      std::string result;
      if (cand[u][p].length() > 1) {
        for (std::size_t i = 0; i < cand[u][p].length(); ++i) {
          const std::string c(1, cand[u][p][i]);
          bool dropped = false;
          for (int k = 1; k <= 9; ++k) {
            if (text_of(val[u][k]) == c) dropped = true;
          }
          if (!dropped) result += c;
        }
        cand[u][p] = result;
        if (cand[u][p].length() == 1) val[u][p] = static_cast<int16_t>(std::stoi(cand[u][p]));
      }
    }
  }
}

void place_unique_view(Table<std::string>& cand, Table<int16_t>& val) {
  for (int u = 1; u <= 9; ++u) {
    int16_t counter[10] = {};
    for (int p = 1; p <= 9; ++p) {
      if (cand[u][p].empty()) continue;
      for (std::size_t i = 0; i < cand[u][p].length(); ++i) {
        const char ch = cand[u][p][i];
        if (ch >= '1' && ch <= '9') ++counter[ch - '0'];
      }
    }
    int ones = 0;
    for (int d = 1; d <= 9; ++d) {
      if (counter[d] == 1) ++ones;
    }
    if (ones == 0) continue;
    for (int d = 1; d <= 9; ++d) {
      if (counter[d] != 1) continue;
      const std::string dt = text_of(static_cast<int16_t>(d));
      bool placed = false;
      for (int p = 1; p <= 9 && !placed; ++p) {
        if (cand[u][p].empty()) continue;
        for (std::size_t i = 0; i < cand[u][p].length(); ++i) {
          if (std::string(1, cand[u][p][i]) == dt) {
            cand[u][p] = dt;
            val[u][p] = static_cast<int16_t>(d);
            placed = true;
            break;
          }
        }
      }
    }
  }
}

void mark_view(const Table<std::string>& cand, int16_t* flag, int16_t n) {
  for (int u = 1; u <= 9; ++u) flag[u] = 0;
  for (int u = 1; u <= 9; ++u) {
    int narrow = 0;
    int settled = 0;
    for (int c = 1; c <= 9; ++c) {
      const std::size_t len = cand[u][c].length();
      if ((n == 2 && len == 2) || (n == 3 && (len == 2 || len == 3))) ++narrow;
      if (len == 0 || len == 1) ++settled;
    }
    if (narrow + settled == 9) flag[u] = 1;
  }
}

void copy_table(const Table<std::string>& from_cand, const Table<int16_t>& from_val,
                Table<std::string>& to_cand, Table<int16_t>& to_val) {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      to_cand[i][j] = from_cand[i][j];
      to_val[i][j] = from_val[i][j];
    }
  }
}

}  // namespace

LiteralForm::LiteralForm() {
  for (int i = 0; i <= 9; ++i) {
    for (int j = 0; j <= 9; ++j) {
      gs_val[i][j] = ygs_val[i][j] = tgs_val[i][j] = 0;
      sv0_val[i][j] = sv1_val[i][j] = sv2_val[i][j] = 0;
    }
  }
  form_load();
}

void LiteralForm::form_load() {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      gs_cand[i][j] = ygs_cand[i][j] = tgs_cand[i][j] = "123456789";
      gs_val[i][j] = ygs_val[i][j] = tgs_val[i][j] = 0;
      tile[i][j] = '.';
    }
  }
}

void LiteralForm::enter_digit(int b, int k, int16_t d) {
  gs_cand[b][k] = text_of(d);
  gs_val[b][k] = d;
  tile[b][k] = static_cast<char>('0' + d);
}

void LiteralForm::sync_views() {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      const int b = row_block(i, j);
      const int k = row_pos(i, j);
      ygs_cand[i][j] = gs_cand[b][k];
      ygs_val[i][j] = gs_val[b][k];
    }
  }
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      const int b = col_block(i, j);
      const int k = col_pos(i, j);
      tgs_cand[i][j] = gs_cand[b][k];
      tgs_val[i][j] = gs_val[b][k];
    }
  }
}

void LiteralForm::ygs_gs() {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      const int b = row_block(i, j);
      const int k = row_pos(i, j);
      gs_cand[b][k] = ygs_cand[i][j];
      gs_val[b][k] = ygs_val[i][j];
    }
  }
}

void LiteralForm::tgs_gs() {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      const int b = col_block(i, j);
      const int k = col_pos(i, j);
      gs_cand[b][k] = tgs_cand[i][j];
      gs_val[b][k] = tgs_val[i][j];
    }
  }
}

void LiteralForm::count_cand() {
  decided_cnt = 0;
  for (int b = 1; b <= 9; ++b) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[b][k].length() == 1) ++decided_cnt;
    }
  }
}

void LiteralForm::count_given() {
  given_cnt = 0;
  for (int b = 1; b <= 9; ++b) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[b][k].empty()) ++given_cnt;
    }
  }
}

void LiteralForm::modosu_gs() {
  for (int b = 1; b <= 9; ++b) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[b][k].empty()) gs_cand[b][k] = text_of(gs_val[b][k]);
    }
  }
  sync_views();
}

void LiteralForm::check_gs() {
  check_view(gs_cand, gs_val);
}
void LiteralForm::check_ygs() {
  check_view(ygs_cand, ygs_val);
}
void LiteralForm::check_tgs() {
  check_view(tgs_cand, tgs_val);
}
void LiteralForm::place_unique_gs() {
  place_unique_view(gs_cand, gs_val);
}
void LiteralForm::place_unique_ygs() {
  place_unique_view(ygs_cand, ygs_val);
}
void LiteralForm::place_unique_tgs() {
  place_unique_view(tgs_cand, tgs_val);
}

void LiteralForm::solve_round() {
  for (int rep = 0; rep < 3; ++rep) {
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

void LiteralForm::mark1_gs(int16_t n) {
  mark_view(gs_cand, unit_flag1, n);
}
void LiteralForm::mark1_ygs(int16_t n) {
  mark_view(ygs_cand, unit_flag1, n);
}
void LiteralForm::mark1_tgs(int16_t n) {
  mark_view(tgs_cand, unit_flag1, n);
}
void LiteralForm::mark2_gs(int16_t n) {
  mark_view(gs_cand, unit_flag2, n);
}
void LiteralForm::mark2_ygs(int16_t n) {
  mark_view(ygs_cand, unit_flag2, n);
}
void LiteralForm::mark2_tgs(int16_t n) {
  mark_view(tgs_cand, unit_flag2, n);
}

void LiteralForm::find_conflict() {
  conflict_flag = 0;
  Table<int16_t>* views[3] = {&gs_val, &ygs_val, &tgs_val};
  for (Table<int16_t>* view : views) {
    for (int u = 1; u <= 9; ++u) {
      int16_t tally[10] = {};
      for (int c = 1; c <= 9; ++c) {
        for (int d = 1; d <= 9; ++d) {
          if ((*view)[u][c] == d) ++tally[d];
        }
      }
      for (int d = 1; d <= 9; ++d) {
        if (tally[d] >= 2) {
          conflict_flag = 1;
          return;
        }
      }
    }
  }
}

void LiteralForm::save_sv1() {
  copy_table(gs_cand, gs_val, sv1_cand, sv1_val);
}
void LiteralForm::load_sv1() {
  copy_table(sv1_cand, sv1_val, gs_cand, gs_val);
}
void LiteralForm::save_sv2() {
  copy_table(gs_cand, gs_val, sv2_cand, sv2_val);
}
void LiteralForm::load_sv2() {
  copy_table(sv2_cand, sv2_val, gs_cand, gs_val);
}
void LiteralForm::save_sv0() {
  copy_table(gs_cand, gs_val, sv0_cand, sv0_val);
}
void LiteralForm::load_sv0() {
  copy_table(sv0_cand, sv0_val, gs_cand, gs_val);
}

void LiteralForm::trial_one() {
  solved_flag = 0;
  save_sv1();
  count_cand();
  for (int phase = 1; phase <= 6; ++phase) {
    trial_one_phase(phase);
    if (solved_flag == 1) return;
  }
}

// One phase of trial_one: 1-2 guess in blocks, 3-4 in rows, 5-6 in columns;
// odd phases give the first cell its smaller digit, even ones its larger.
void LiteralForm::trial_one_phase(int phase) {
  Table<std::string>& cand = phase <= 2 ? gs_cand : phase <= 4 ? ygs_cand : tgs_cand;
  Table<int16_t>& val = phase <= 2 ? gs_val : phase <= 4 ? ygs_val : tgs_val;
  const std::size_t first_pos = phase % 2 == 1 ? 1 : 2;
  const std::size_t later_pos = phase % 2 == 1 ? 2 : 1;

  if (phase >= 2) count_cand();
  int16_t base = 0;
restart:
  base = decided_cnt;
  if (phase == 1 || phase == 2) mark1_gs(2);
  if (phase == 3) mark1_ygs(2);
  if (phase == 5) mark1_tgs(2);
  for (int u = 1; u <= 9; ++u) {
    if (unit_flag1[u] == 0) continue;
    std::size_t position = first_pos;
    std::string written;
    for (int c = 1; c <= 9; ++c) {
      if (cand[u][c].length() == 2) {
        const std::string digit = cand[u][c].substr(position - 1, 1);
        cand[u][c] = digit;
        val[u][c] = static_cast<int16_t>(std::stoi(digit));
        written += digit;
        position = later_pos;
      }
    }
    if (log_guesses) guesses.push_back({1, phase, u, written});
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
    } else if (decided_cnt > base + 2) {
      goto restart;
    } else {
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
    if (trial_two_part(part)) return;
  }
}

// One part of trial_two (1 blocks, 2 rows, 3 columns); true on success.
bool LiteralForm::trial_two_part(int part) {
  Table<std::string>& cand = part == 1 ? gs_cand : part == 2 ? ygs_cand : tgs_cand;
  Table<int16_t>& val = part == 1 ? gs_val : part == 2 ? ygs_val : tgs_val;
  auto scan = [&] {
    if (part == 1) mark2_gs(3);
    if (part == 2) mark2_ygs(3);
    if (part == 3) mark2_tgs(3);
  };

  if (part >= 2) count_cand();
  int16_t base = static_cast<int16_t>(decided_cnt + 1);
restart:
  scan();
  for (int u = 1; u <= 9; ++u) {
    if (unit_flag2[u] == 0) continue;
    for (int c = 1; c <= 9; ++c) {
      // The length is looked at once, before the digits; an undo to the
      // entry snapshot does not make the cell be skipped halfway.
      const std::size_t len = cand[u][c].length();
      if (len != 2 && len != 3) continue;
      for (int16_t d = 1; d <= 9; ++d) {
        cand[u][c] = text_of(d);
        val[u][c] = d;
        if (log_guesses) guesses.push_back({2, part, u, text_of(d)});
        if (part == 2) ygs_gs();
        if (part == 3) tgs_gs();
        sync_views();
        find_conflict();
        if (conflict_flag == 1) {
          conflict_flag = 0;
        } else {
          count_cand();
          trial_one();
          if (solved_flag == 1) return true;
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
  return false;
}

void LiteralForm::validate_input() {
  conflict_flag = 0;
  Table<std::string>* views[3] = {&gs_cand, &ygs_cand, &tgs_cand};
  for (Table<std::string>* view : views) {
    for (int u = 1; u <= 9; ++u) {
      int16_t counter[10] = {};
      for (int p = 1; p <= 9; ++p) {
        for (int d = 1; d <= 9; ++d) {
          if ((*view)[u][p] == text_of(static_cast<int16_t>(d))) ++counter[d];
        }
      }
      for (int d = 1; d <= 9; ++d) {
        if (counter[d] >= 2) {
          conflict_flag = 1;
          return;
        }
      }
    }
  }
}

void LiteralForm::mark_givens(int16_t len) {
  for (int n = 1; n <= 9; ++n) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[n][k].length() == static_cast<std::size_t>(len)) tile[n][k] = gs_cand[n][k][0];
    }
  }
}

void LiteralForm::clear_given_cand() {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      if (gs_cand[i][j].length() == 1) gs_cand[i][j] = "";
    }
  }
}

void LiteralForm::show_board() {
  for (int b = 1; b <= 9; ++b) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[b][k].length() == 1) tile[b][k] = gs_cand[b][k][0];
    }
  }
  std::string shown;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) shown += tile[row_block(r, c)][row_pos(r, c)];
  }
  drawings.push_back(shown);
}

void LiteralForm::mnusaisyo_model() {
  for (int n = 1; n <= 9; ++n) {
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand[n][k].empty()) {
        tile[n][k] = text_of(gs_val[n][k])[0];
        gs_cand[n][k] = text_of(gs_val[n][k]);
      } else {
        tile[n][k] = '.';
        gs_cand[n][k] = "123456789";
        gs_val[n][k] = 0;
      }
    }
  }
  sync_views();
}

std::string LiteralForm::btninput_Click(int min_entries) {
  sync_views();
  count_cand();
  if (decided_cnt < min_entries) return "refused_too_few";
  validate_input();
  if (conflict_flag != 0) {
    conflict_flag = 0;
    return "refused_repeat";
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
      // A full board counts as solved only without a repeated digit; with
      // one it is a contradiction, left to the searches like a stall.
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

  // The trials are incomplete: a complete search from the accepted puzzle
  // decides whether it has a solution before it is called unsolvable.
  tesura::Puzzle givens{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int b = row_block(r, c);
      const int k = row_pos(r, c);
      givens[(r - 1) * 9 + (c - 1)] = sv0_cand[b][k].empty() ? sv0_val[b][k] : 0;
    }
  }
  tesura::Puzzle solution{};
  if (tesura::complete_search(givens, solution)) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int b = row_block(r, c);
        const int k = row_pos(r, c);
        if (sv0_cand[b][k].empty()) {
          gs_cand[b][k] = "";
          gs_val[b][k] = sv0_val[b][k];
        } else {
          const int16_t d = solution[(r - 1) * 9 + (c - 1)];
          gs_cand[b][k] = text_of(d);
          gs_val[b][k] = d;
        }
      }
    }
    sync_views();
    show_board();
    return "search";
  }

  load_sv0();
  sync_views();
  mnusaisyo_model();
  sync_views();
  return "unsolvable";
}

std::string block_values(const LiteralForm& form) {
  std::string out;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      out += static_cast<char>('0' + form.gs_val[row_block(r, c)][row_pos(r, c)]);
    }
  }
  return out;
}

LiteralRun literal_solve(const tesura::Puzzle& puzzle, int min_entries) {
  LiteralForm form;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int16_t d = puzzle[(r - 1) * 9 + (c - 1)];
      if (d != 0) form.enter_digit(row_block(r, c), row_pos(r, c), d);
    }
  }
  LiteralRun run;
  run.stage = form.btninput_Click(min_entries);
  if (run.stage.empty()) run.stage = form.btnans_Click();
  run.drawings = form.drawings;
  run.final_board = block_values(form);
  return run;
}

}  // namespace tesura::reference
