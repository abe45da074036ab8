// SPDX-License-Identifier: MIT
#pragma once
// The program's one window: the board of 81 tiles, the palette of the nine
// digits, three picture buttons and the menus. The window owns the grid and
// runs every command in its handlers; which commands are available at any
// moment follows only from which controls are enabled (input, ready,
// answered and self-solve states).
//
// Controls carry their names as objectName: board cell k of block N is
// "pnlN_k" (e.g. "pnl3_7"), palette tile d is "pnl0_d", and the buttons and
// menu items are "btninput", "btnans", "btnrestart", "mnufile", "mnuend",
// "mnuprog", "mnuconf", "mnuippatu", "mnureset", "mnujirikistart",
// "mnujirikiend", "mnusaisyo", "mnuhelp", "mnuver". Beside the menus, the
// window has the keyboard commands "paste" (Ctrl+V, a puzzle line entered
// cell by cell, in the input state only), "copy" (Ctrl+C, the board as
// shown, in every state), "undo" (Ctrl+Z), "redo" (Ctrl+Shift+Z, Ctrl+Y),
// "marks" (Ctrl+M, the frames of repeated digits and of a completed board)
// and "help" (F1, the key help window). None of them changes what a user of
// the mouse alone sees.
#include <QMainWindow>
#include <array>

#include "model/grid.h"
#include "solver/solve_command.h"
#include "ui/board_cell.h"
#include "ui/history.h"

class QAction;
class QMenu;

namespace tesura::ui {

class Announcer;
class BoardPanel;
class Dialogs;
class HelpWindow;
class PaletteTile;
class PictureButton;
class SoundPlayer;
class TileLoader;

class Form1 : public QMainWindow, private SolveObserver, private HistoryTarget {
  Q_OBJECT
 public:
  // The window says things through dialogs, plays through sound and reads
  // its tiles through tiles; all three must outlive it.
  Form1(Dialogs& dialogs, SoundPlayer& sound, TileLoader& tiles, QWidget* parent = nullptr);
  ~Form1() override;

  const Grid& grid() const { return grid_; }
  // The palette tile the pointer was last over (0 before any).
  Digit current_drag_num() const { return drag_num; }
  // Board cell k of block N, both from 1.
  BoardCell* cell(int block, int index) const { return cells_[block - 1][index - 1]; }
  PaletteTile* palette_tile(int digit) const { return palette_[digit - 1]; }
  BoardPanel* board() const { return board_; }
  QUndoStack& history() { return history_.stack(); }
  bool marks_shown() const { return marks_on_; }

  // Tells a screen reader that a pasted text was not taken as a puzzle.
  void announce_rejected_paste();

 protected:
  void showEvent(QShowEvent* event) override;
  // Tab and Shift+Tab go from the board to the palette to each button and
  // round again, skipping what is disabled.
  bool focusNextPrevChild(bool next) override;

 private:
  void build_controls();
  void centre_on_screen();
  void build_menus();
  void build_keyboard_commands();

  // The four command states and the one place that says what each enables.
  enum class CommandState { input, ready, answered, self_solve };
  void enter_state(CommandState state);
  CommandState state_ = CommandState::input;

  // Start-up and the three resets.
  void Form_Load();
  void blank_board();
  void palette_on();
  void palette_off();
  void btnrestart_Click();
  void mnureset_Click();
  void mnujirikiend_Click();
  void mnuend_Click();

  // Entry.
  void pnl0_MouseMove(int index);
  void pnl0_MouseDown(int index);
  void pnl1_DragDrop(int index, PaletteTile* source);
  void pnl2_DragDrop(int index, PaletteTile* source);
  void pnl3_DragDrop(int index, PaletteTile* source);
  void pnl4_DragDrop(int index, PaletteTile* source);
  void pnl5_DragDrop(int index, PaletteTile* source);
  void pnl6_DragDrop(int index, PaletteTile* source);
  void pnl7_DragDrop(int index, PaletteTile* source);
  void pnl8_DragDrop(int index, PaletteTile* source);
  void pnl9_DragDrop(int index, PaletteTile* source);
  void pnl1_MouseDown(int index, Qt::MouseButton button);
  void pnl2_MouseDown(int index, Qt::MouseButton button);
  void pnl3_MouseDown(int index, Qt::MouseButton button);
  void pnl4_MouseDown(int index, Qt::MouseButton button);
  void pnl5_MouseDown(int index, Qt::MouseButton button);
  void pnl6_MouseDown(int index, Qt::MouseButton button);
  void pnl7_MouseDown(int index, Qt::MouseButton button);
  void pnl8_MouseDown(int index, Qt::MouseButton button);
  void pnl9_MouseDown(int index, Qt::MouseButton button);
  // What the nine copies of each handler share: they differ only in block.
  void drop_on_cell(int block, int index, PaletteTile* source);
  void press_on_cell(int block, int index, Qt::MouseButton button);
  using DropHandler = void (Form1::*)(int, PaletteTile*);
  using PressHandler = void (Form1::*)(int, Qt::MouseButton);
  static const std::array<DropHandler, 9> kDropHandlers;
  static const std::array<PressHandler, 9> kPressHandlers;

  // The keyboard and the clipboard, through the handlers above.
  void type_in_cell(int block, int index, int digit);
  void move_in_board(int block, int index, CellMove where);
  void move_in_palette(int index, int step);
  void paste_puzzle();
  void copy_board();

  // Input completion.
  void btninput_Click();
  void mnuconf_Click();
  void mark_givens(Digit len);

  // Solving.
  void btnans_Click();
  void mnuippatu_Click();
  void show_board();
  void show_board(const Grid& grid) override;
  void unsolvable(const Grid& grid) override;

  // Self-solve mode.
  void mnujirikistart_Click();
  void unlock_open_cells();

  // Return to the first problem.
  void mnusaisyo_Click();

  // Version box.
  void mnuver_Click();

  // Help beyond the commands (form1_assist.cpp): undo and redo, marks,
  // announcements, the key help and the keys that move on as they type.
  void build_assist_commands();
  void connect_cell(BoardCell* cell, int block);
  void erase_back(int block, int index);
  void drop_from_palette(int digit);
  void toggle_marks();
  void show_key_help();
  void announce(const char* text);
  // The enabled cell nearest after (step 1) or before (step -1) cell (block,
  // index) in reading order, wrapping round; nullptr when there is none.
  BoardCell* next_open_cell(int block, int index, int step) const;
  CellLook look(int block, int index) const override;
  void put(int block, int index, const CellLook& look) override;
  WindowSnapshot snapshot() const override;
  void restore(const WindowSnapshot& snapshot) override;
  void board_changed() override;

  // Shows the tile file prefix + digit + ".bmp" in cell; "R00" is the given look.
  void load_tile(BoardCell* cell, const char* prefix, int digit);

  Dialogs& dialogs_;
  SoundPlayer& sound_;
  TileLoader& tiles_;

  Grid grid_;
  Digit drag_num = 0;
  Digit centred_once = 0;
  // The frame size the start-up centring assumed; the window system tells
  // the real one only once the window is shown.
  QSize centred_frame_;
  QString sound_file;

  std::array<std::array<BoardCell*, 9>, 9> cells_{};
  std::array<PaletteTile*, 9> palette_{};
  PictureButton* btninput = nullptr;
  PictureButton* btnans = nullptr;
  PictureButton* btnrestart = nullptr;

  QMenu* mnufile = nullptr;
  QAction* mnuend = nullptr;
  QMenu* mnuprog = nullptr;
  QAction* mnuconf = nullptr;
  QAction* mnuippatu = nullptr;
  QAction* mnureset = nullptr;
  QAction* mnujirikistart = nullptr;
  QAction* mnujirikiend = nullptr;
  QAction* mnusaisyo = nullptr;
  QMenu* mnuhelp = nullptr;
  QAction* mnuver = nullptr;
  QAction* paste_ = nullptr;

  BoardPanel* board_ = nullptr;
  Announcer* announcer_ = nullptr;
  HelpWindow* help_ = nullptr;
  BoardHistory history_{*this};
  bool marks_on_ = false;
  // The self-solve board was complete without a repeat at the last change.
  bool completed_ = false;

  // Where the focus was last on the board and on the palette, to come back to.
  BoardCell* board_focus_ = nullptr;
  PaletteTile* palette_focus_ = nullptr;
};

}  // namespace tesura::ui
