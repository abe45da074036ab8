// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "model/cell_index.h"
#include "model/input_completion.h"
#include "model/puzzle.h"
#include "model/texts.h"
#include "ui/accessibility.h"
#include "ui/announcer.h"
#include "ui/backdrop.h"
#include "ui/board_cell.h"
#include "ui/board_panel.h"
#include "ui/data_path.h"
#include "ui/dialogs.h"
#include "ui/palette_tile.h"
#include "ui/picture_button.h"
#include "ui/resources.h"
#include "ui/sound.h"
#include "ui/tile_loader.h"
#include "ui/version_text.h"

namespace tesura::ui {

namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 319;
constexpr int kTileSize = 25;
// Left (or top) edge of board columns (or rows) 1 to 9: 26 pixels apart
// within a block, 28 from one block to the next.
constexpr std::array<int, 9> kLinePos = {7, 33, 59, 87, 113, 139, 167, 193, 219};
constexpr int kPaletteTop = 260;
constexpr int kSeparatorTop = 251;
constexpr int kButtonTop = 292;
constexpr int kButtonHeight = 27;

const char* const kNotificationFile = "notify.wav";

// Which controls each command state enables. The button and the menu item
// of one command always agree; mnuend and mnuver are never disabled. The
// board cells are set by the handlers that change them: blank_board and
// mnusaisyo_Click turn all 81 on, mark_givens all 81 off, unlock_open_cells
// the open cells on.
struct Commands {
  bool input_done;     // btninput, mnuconf "入力終了"
  bool solve;          // btnans, mnuippatu "一発解答"
  bool restart;        // btnrestart, mnureset "再入力"
  bool self_start;     // mnujirikistart "自力解答モード開始"
  bool self_end;       // mnujirikiend "自力解答モード終了"
  bool first_problem;  // mnusaisyo "最初の問題に戻る"
  bool palette;        // pnl0 1 to 9
  bool paste;          // Ctrl+V: a whole puzzle entered at once
};
constexpr std::array<Commands, 4> kCommandStates = {{
    // input_done solve restart self_start self_end first_problem palette paste
    {true, false, true, false, false, false, true, true},    // input
    {false, true, true, true, false, false, false, false},   // ready
    {false, false, true, false, false, true, false, false},  // answered
    {false, false, false, false, true, false, true, false},  // self-solve
}};

}  // namespace

const std::array<Form1::DropHandler, 9> Form1::kDropHandlers = {
    &Form1::pnl1_DragDrop, &Form1::pnl2_DragDrop, &Form1::pnl3_DragDrop,
    &Form1::pnl4_DragDrop, &Form1::pnl5_DragDrop, &Form1::pnl6_DragDrop,
    &Form1::pnl7_DragDrop, &Form1::pnl8_DragDrop, &Form1::pnl9_DragDrop};
const std::array<Form1::PressHandler, 9> Form1::kPressHandlers = {
    &Form1::pnl1_MouseDown, &Form1::pnl2_MouseDown, &Form1::pnl3_MouseDown,
    &Form1::pnl4_MouseDown, &Form1::pnl5_MouseDown, &Form1::pnl6_MouseDown,
    &Form1::pnl7_MouseDown, &Form1::pnl8_MouseDown, &Form1::pnl9_MouseDown};

Form1::Form1(Dialogs& dialogs, SoundPlayer& sound, TileLoader& tiles, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), sound_(sound), tiles_(tiles) {
  init_resources();
  install_accessible_roles();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(texts::kAppTitle));
  setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
  build_controls();
  build_menus();
  build_keyboard_commands();
  build_assist_commands();
  // The client area below the menu bar is fixed; the menu bar's height
  // depends on the font, so it is measured rather than assumed.
  setFixedSize(kClientWidth, menuBar()->heightForWidth(kClientWidth) + kClientHeight);
  Form_Load();
}

Form1::~Form1() = default;

void Form1::build_controls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  auto* backdrop = new Backdrop(client, window_picture(QStringLiteral("background.png")));
  backdrop->setObjectName(QStringLiteral("background"));
  backdrop->setGeometry(0, 0, 250, 253);
  board_ = new BoardPanel(client);
  board_->setObjectName(QStringLiteral("board"));

  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const auto [row, col] = row_col_of(b, k);
      // The panel lies at the client's origin: the cells keep their places.
      auto* c = new BoardCell(board_,
                              QRect(kLinePos[col - 1], kLinePos[row - 1], kTileSize, kTileSize), k,
                              QString::number(row) + QString::fromUtf8(texts::kRowSuffix) +
                                  QString::number(col) + QString::fromUtf8(texts::kColumnSuffix));
      c->setObjectName(QStringLiteral("pnl%1_%2").arg(b).arg(k));
      connect_cell(c, b);
      board_->add_cell(row, col, c);
      cells_[b - 1][k - 1] = c;
    }

  for (int d = 1; d <= 9; ++d) {
    auto* tile =
        new PaletteTile(client, QRect(kLinePos[d - 1], kPaletteTop, kTileSize, kTileSize), d);
    tile->setObjectName(QStringLiteral("pnl0_%1").arg(d));
    tile->set_picture(window_picture(QStringLiteral("palette%1.png").arg(d)), tile->objectName());
    connect(tile, &PaletteTile::pressed, this, &Form1::pnl0_MouseDown);
    connect(tile, &PaletteTile::arrow, this, &Form1::move_in_palette);
    connect(tile, &PaletteTile::activated, this, &Form1::drop_from_palette);
    palette_[d - 1] = tile;
  }

  auto* line1 = new QFrame(client);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Plain);
  line1->setLineWidth(1);
  line1->setGeometry(0, kSeparatorTop, kClientWidth, 1);

  auto make_button = [client](const char* name, int x, int width, const QString& caption) {
    auto* button = new PictureButton(client, QRect(x, kButtonTop, width, kButtonHeight), caption);
    button->setObjectName(QString::fromLatin1(name));
    button->set_picture(window_picture(QString::fromLatin1(name) + QStringLiteral(".png")));
    return button;
  };
  btninput = make_button("btninput", 0, 75, QString::fromUtf8(texts::kInputDone));
  btnans = make_button("btnans", 75, 100, QString::fromUtf8(texts::kSolve));
  btnrestart = make_button("btnrestart", 175, 75, QString::fromUtf8(texts::kRestart));
  connect(btninput, &PictureButton::clicked, this, &Form1::btninput_Click);
  connect(btnans, &PictureButton::clicked, this, &Form1::btnans_Click);
  connect(btnrestart, &PictureButton::clicked, this, &Form1::btnrestart_Click);

  announcer_ = new Announcer(client);
}

void Form1::build_menus() {
  auto add_item = [this](QMenu* menu, const QString& caption, const char* name,
                         void (Form1::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  auto add_line = [](QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };

  auto text = [](const char* t) { return QString::fromUtf8(t); };
  mnufile = menuBar()->addMenu(text(texts::kMenuFile));
  mnufile->setObjectName(QStringLiteral("mnufile"));
  mnuend = add_item(mnufile, text(texts::kMenuEnd), "mnuend", &Form1::mnuend_Click);

  mnuprog = menuBar()->addMenu(text(texts::kMenuProblem));
  mnuprog->setObjectName(QStringLiteral("mnuprog"));
  mnuconf = add_item(mnuprog, text(texts::kInputDone), "mnuconf", &Form1::mnuconf_Click);
  mnuippatu = add_item(mnuprog, text(texts::kSolve), "mnuippatu", &Form1::mnuippatu_Click);
  mnureset = add_item(mnuprog, text(texts::kRestart), "mnureset", &Form1::mnureset_Click);
  add_line(mnuprog, "mnuline1");
  mnujirikistart =
      add_item(mnuprog, text(texts::kSelfStart), "mnujirikistart", &Form1::mnujirikistart_Click);
  mnujirikiend =
      add_item(mnuprog, text(texts::kSelfEnd), "mnujirikiend", &Form1::mnujirikiend_Click);
  add_line(mnuprog, "mnuline2");
  mnusaisyo = add_item(mnuprog, text(texts::kFirstProblem), "mnusaisyo", &Form1::mnusaisyo_Click);

  mnuhelp = menuBar()->addMenu(text(texts::kMenuHelp));
  mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
  mnuver = add_item(mnuhelp, text(texts::kVersion), "mnuver", &Form1::mnuver_Click);
}

void Form1::build_keyboard_commands() {
  // Window-wide keys beside the menus, which have no shortcuts of their own.
  paste_ = new QAction(this);
  paste_->setObjectName(QStringLiteral("paste"));
  paste_->setShortcut(QKeySequence::Paste);
  // One step of the history, however many cells it fills.
  connect(paste_, &QAction::triggered, this,
          [this] { history_.record_edit([this] { paste_puzzle(); }); });
  addAction(paste_);
  auto* copy = new QAction(this);
  copy->setObjectName(QStringLiteral("copy"));
  copy->setShortcut(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, &Form1::copy_board);
  addAction(copy);
}

void Form1::load_tile(BoardCell* cell, const char* prefix, int digit) {
  const QString file = QStringLiteral("%1%2.bmp").arg(QLatin1String(prefix)).arg(digit);
  cell->show_tile(tiles_.load(file), file, digit, prefix[0] == 'R');
}

void Form1::enter_state(CommandState state) {
  state_ = state;
  const Commands& on = kCommandStates[static_cast<std::size_t>(state)];
  // Enabling comes first: a keyboard focus that leaves a control being
  // disabled then finds the next command already on.
  for (const bool enabling : {true, false}) {
    auto set = [enabling](auto* control, bool wanted) {
      if (wanted == enabling) control->setEnabled(wanted);
    };
    set(btninput, on.input_done);
    set(mnuconf, on.input_done);
    set(btnans, on.solve);
    set(mnuippatu, on.solve);
    set(btnrestart, on.restart);
    set(mnureset, on.restart);
    set(mnujirikistart, on.self_start);
    set(mnujirikiend, on.self_end);
    set(mnusaisyo, on.first_problem);
    set(paste_, on.paste);
    if (on.palette == enabling) {
      if (enabling)
        palette_on();
      else
        palette_off();
    }
  }
  board_changed();
}

// ---- Start-up and reset ----

void Form1::centre_on_screen() {
  // A Wayland client cannot place its window: the compositor does.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const QRect frame = frameGeometry();
    move(area.x() + qRound((area.width() - frame.width()) / 2.0),
         area.y() + qRound((area.height() - frame.height()) / 2.0));
    centred_frame_ = frame.size();
  }
}

void Form1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first showing adds the frame; centre once more with its true size.
  if (centred_frame_.isValid() && frameGeometry().size() != centred_frame_) centre_on_screen();
  centred_frame_ = QSize();
}

void Form1::Form_Load() {
  // Only the first time: a reset leaves the window where the user put it.
  if (centred_once == 0) centre_on_screen();
  centred_once = 1;
  grid_.reset_cells();
  blank_board();
  enter_state(CommandState::input);
}

void Form1::blank_board() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      load_tile(cell(b, k), "G00", 0);
      cell(b, k)->setEnabled(true);
    }
}

void Form1::palette_on() {
  for (PaletteTile* tile : palette_) tile->setEnabled(true);
}

void Form1::palette_off() {
  for (PaletteTile* tile : palette_) tile->setEnabled(false);
}

// Each reset is one step of the history, so that undo brings the board back.
void Form1::btnrestart_Click() {
  history_.record_wipe([this] { Form_Load(); });
}
void Form1::mnureset_Click() {
  history_.record_wipe([this] { Form_Load(); });
}
void Form1::mnujirikiend_Click() {
  history_.record_wipe([this] { Form_Load(); });
}

void Form1::mnuend_Click() {
  close();
  QCoreApplication::quit();
}

// ---- Entry ----

void Form1::pnl0_MouseDown(int index) {
  PaletteTile* tile = palette_tile(index);
  auto* drag = new QDrag(tile);
  drag->setMimeData(tile->drag_data());
  drag->setPixmap(tile->picture());
  drag->setHotSpot(QPoint(tile->width() / 2, tile->height() / 2));
  drag->exec(Qt::CopyAction);
}

void Form1::drop_on_cell(int block, int index, PaletteTile* source) {
  // The cell takes the dragged tile's picture, and with it that tile's
  // digit, so that picture and digit never disagree.
  cell(block, index)->show_tile(source->picture(), source->objectName(), source->index(), false);
  grid_.drop_digit(block, index, source->index());
}

void Form1::press_on_cell(int block, int index, Qt::MouseButton button) {
  const Digit v = grid_.step_digit(block, index, button == Qt::RightButton);
  load_tile(cell(block, index), "G00", v);
}

void Form1::pnl1_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(1, index, source);
}
void Form1::pnl2_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(2, index, source);
}
void Form1::pnl3_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(3, index, source);
}
void Form1::pnl4_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(4, index, source);
}
void Form1::pnl5_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(5, index, source);
}
void Form1::pnl6_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(6, index, source);
}
void Form1::pnl7_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(7, index, source);
}
void Form1::pnl8_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(8, index, source);
}
void Form1::pnl9_DragDrop(int index, PaletteTile* source) {
  drop_on_cell(9, index, source);
}

void Form1::pnl1_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(1, index, b);
}
void Form1::pnl2_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(2, index, b);
}
void Form1::pnl3_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(3, index, b);
}
void Form1::pnl4_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(4, index, b);
}
void Form1::pnl5_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(5, index, b);
}
void Form1::pnl6_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(6, index, b);
}
void Form1::pnl7_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(7, index, b);
}
void Form1::pnl8_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(8, index, b);
}
void Form1::pnl9_MouseDown(int index, Qt::MouseButton b) {
  press_on_cell(9, index, b);
}

// ---- Input completion ----

void Form1::btninput_Click() {
  const InputVerdict verdict = check_input(grid_);
  if (verdict != InputVerdict::accepted) {
    dialogs_.show_message(this, QString::fromUtf8(refusal_message(verdict)),
                          QString::fromUtf8(texts::kAppTitle));
    announce(refusal_message(verdict));
    return;
  }
  mark_givens(1);
  accept_input(grid_);
  history_.clear();
  enter_state(CommandState::ready);
}

void Form1::mnuconf_Click() {
  btninput_Click();
}

void Form1::mark_givens(Digit len) {
  for (int n = 1; n <= 9; ++n)
    for (int k = 1; k <= 9; ++k) {
      const Cands c = grid_.gs_cand(n, k);
      if (cands_length(c) == len) load_tile(cell(n, k), "R00", first_cand(c));
      cell(n, k)->setEnabled(false);
    }
}

// ---- Solving ----

void Form1::btnans_Click() {
  const SolveStage stage = solve_command(grid_, *this, solve_context_);
  history_.clear();
  if (stage == SolveStage::unsolvable) {
    // The engine has put the accepted puzzle back, views in step; the return
    // to the first problem brings it back for entry in the input state.
    mnusaisyo_Click();
    announce(texts::kUnsolvable);
  } else {
    enter_state(CommandState::answered);
    announce(texts::kSolved);
  }
}

void Form1::mnuippatu_Click() {
  btnans_Click();
}

void Form1::show_board() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const Cands c = grid_.gs_cand(b, k);
      if (cands_length(c) == 1) load_tile(cell(b, k), "G00", first_cand(c));
    }
}

void Form1::show_board(const Grid&) {
  show_board();
}

void Form1::unsolvable(const Grid&) {
  dialogs_.show_message(this, QString::fromUtf8(texts::kUnsolvable),
                        QString::fromUtf8(texts::kAppTitle));
}

// ---- Self-solve mode ----

void Form1::mnujirikistart_Click() {
  history_.clear();
  unlock_open_cells();
  enter_state(CommandState::self_solve);
}

void Form1::unlock_open_cells() {
  for (int n = 1; n <= 9; ++n)
    for (int k = 1; k <= 9; ++k)
      if (grid_.gs_cand(n, k) != kNoCands) cell(n, k)->setEnabled(true);
}

// ---- Return to the first problem ----

void Form1::mnusaisyo_Click() {
  for (int n = 1; n <= 9; ++n)
    for (int k = 1; k <= 9; ++k) {
      // A given (empty string) shows its digit, every other cell the blank.
      load_tile(cell(n, k), "G00", grid_.gs_cand(n, k) == kNoCands ? grid_.gs_val(n, k) : 0);
      cell(n, k)->setEnabled(true);
    }
  // The givens back as entered digits, everything else blank, views in step.
  grid_.return_to_first_problem();
  history_.clear();
  enter_state(CommandState::input);
}

// ---- Version box ----

void Form1::mnuver_Click() {
  dialogs_.show_message(this, version_box_text(), QString::fromUtf8(texts::kVersion));
  // Our own notification, from the program's data folder.
  sound_file = data_file_path(QString::fromLatin1(kNotificationFile));
  sound_.play_and_wait(sound_file);
}

}  // namespace tesura::ui
