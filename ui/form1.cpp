#include "ui/form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QDrag>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "model/cell_index.h"
#include "model/input_completion.h"
#include "ui/board_cell.h"
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

QString tile_file(const char* prefix, const std::string& digit_text) {
  return QString::fromLatin1(prefix) + QString::fromStdString(digit_text) + QStringLiteral(".bmp");
}

}  // namespace

Form1::Form1(Dialogs& dialogs, SoundPlayer& sound, TileLoader& tiles, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), sound_(sound), tiles_(tiles) {
  init_resources();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kAppTitle));
  setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
  build_controls();
  build_menus();
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

  auto* backdrop = new QLabel(client);
  backdrop->setObjectName(QStringLiteral("background"));
  backdrop->setPixmap(window_picture(QStringLiteral("background.png")));
  backdrop->setGeometry(0, 0, 250, 253);

  using DropHandler = void (Form1::*)(int, PaletteTile*);
  using PressHandler = void (Form1::*)(int, Qt::MouseButton);
  static constexpr std::array<DropHandler, 9> kDrop = {
      &Form1::pnl1_DragDrop, &Form1::pnl2_DragDrop, &Form1::pnl3_DragDrop,
      &Form1::pnl4_DragDrop, &Form1::pnl5_DragDrop, &Form1::pnl6_DragDrop,
      &Form1::pnl7_DragDrop, &Form1::pnl8_DragDrop, &Form1::pnl9_DragDrop};
  static constexpr std::array<PressHandler, 9> kPress = {
      &Form1::pnl1_MouseDown, &Form1::pnl2_MouseDown, &Form1::pnl3_MouseDown,
      &Form1::pnl4_MouseDown, &Form1::pnl5_MouseDown, &Form1::pnl6_MouseDown,
      &Form1::pnl7_MouseDown, &Form1::pnl8_MouseDown, &Form1::pnl9_MouseDown};

  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const auto [row, col] = row_col_of(b, k);
      auto* c = new BoardCell(
          client, QRect(kLinePos[col - 1], kLinePos[row - 1], kTileSize, kTileSize), b, k);
      c->setObjectName(QStringLiteral("pnl%1_%2").arg(b).arg(k));
      connect(
          c, &BoardCell::dropped, this,
          [this, h = kDrop[b - 1]](int index, PaletteTile* source) { (this->*h)(index, source); });
      connect(c, &BoardCell::pressed, this,
              [this, h = kPress[b - 1]](int index, Qt::MouseButton button) {
                (this->*h)(index, button);
              });
      cells_[b - 1][k - 1] = c;
    }

  for (int d = 1; d <= 9; ++d) {
    auto* tile =
        new PaletteTile(client, QRect(kLinePos[d - 1], kPaletteTop, kTileSize, kTileSize), d);
    tile->setObjectName(QStringLiteral("pnl0_%1").arg(d));
    tile->set_picture(window_picture(QStringLiteral("palette%1.png").arg(d)), tile->objectName());
    connect(tile, &PaletteTile::moved, this, &Form1::pnl0_MouseMove);
    connect(tile, &PaletteTile::pressed, this, &Form1::pnl0_MouseDown);
    palette_[d - 1] = tile;
  }

  auto* line1 = new QFrame(client);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Plain);
  line1->setLineWidth(1);
  line1->setGeometry(0, kSeparatorTop, kClientWidth, 1);

  auto make_button = [client](const char* name, int x, int width) {
    auto* button = new PictureButton(client, QRect(x, kButtonTop, width, kButtonHeight));
    button->setObjectName(QString::fromLatin1(name));
    button->set_picture(window_picture(QString::fromLatin1(name) + QStringLiteral(".png")),
                        QString::fromLatin1(name));
    return button;
  };
  btninput = make_button("btninput", 0, 75);
  btnans = make_button("btnans", 75, 100);
  btnrestart = make_button("btnrestart", 175, 75);
  connect(btninput, &PictureButton::clicked, this, &Form1::btninput_Click);
  connect(btnans, &PictureButton::clicked, this, &Form1::btnans_Click);
  connect(btnrestart, &PictureButton::clicked, this, &Form1::btnrestart_Click);
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
    QAction* line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    return line;
  };

  mnufile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  mnufile->setObjectName(QStringLiteral("mnufile"));
  mnuend = add_item(mnufile, QStringLiteral("終了(&E)"), "mnuend", &Form1::mnuend_Click);

  mnuprog = menuBar()->addMenu(QStringLiteral("問題(&I)"));
  mnuprog->setObjectName(QStringLiteral("mnuprog"));
  mnuconf = add_item(mnuprog, QStringLiteral("入力終了"), "mnuconf", &Form1::mnuconf_Click);
  mnuippatu = add_item(mnuprog, QStringLiteral("一発解答"), "mnuippatu", &Form1::mnuippatu_Click);
  mnureset = add_item(mnuprog, QStringLiteral("再入力"), "mnureset", &Form1::mnureset_Click);
  mnuline1 = add_line(mnuprog, "mnuline1");
  mnujirikistart = add_item(mnuprog, QStringLiteral("自力解答モード開始"), "mnujirikistart",
                            &Form1::mnujirikistart_Click);
  mnujirikiend = add_item(mnuprog, QStringLiteral("自力解答モード終了"), "mnujirikiend",
                          &Form1::mnujirikiend_Click);
  mnuline2 = add_line(mnuprog, "mnuline2");
  mnusaisyo =
      add_item(mnuprog, QStringLiteral("最初の問題に戻る"), "mnusaisyo", &Form1::mnusaisyo_Click);

  mnuhelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
  mnuver = add_item(mnuhelp, QStringLiteral("バージョン情報"), "mnuver", &Form1::mnuver_Click);
}

void Form1::load_tile(BoardCell* cell, const QString& file_name) {
  cell->set_picture(tiles_.load(file_name), file_name);
}

// ---- Start-up and reset ----

void Form1::centre_on_screen() {
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
  btnans->setEnabled(false);
  btnrestart->setEnabled(true);
  btninput->setEnabled(true);
  mnujirikistart->setEnabled(false);
  mnujirikiend->setEnabled(false);
  mnusaisyo->setEnabled(false);
  mnuippatu->setEnabled(false);
  mnureset->setEnabled(true);
  mnuconf->setEnabled(true);
  palette_on();
}

void Form1::blank_board() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      load_tile(cell(b, k), QStringLiteral("G000.bmp"));
      cell(b, k)->setEnabled(true);
    }
}

void Form1::palette_on() {
  for (PaletteTile* tile : palette_) tile->setEnabled(true);
}

void Form1::palette_off() {
  for (PaletteTile* tile : palette_) tile->setEnabled(false);
}

void Form1::btnrestart_Click() {
  Form_Load();
}
void Form1::mnureset_Click() {
  Form_Load();
}
void Form1::mnujirikiend_Click() {
  Form_Load();
}

void Form1::mnuend_Click() {
  close();
  QCoreApplication::quit();
}

// ---- Entry ----

void Form1::pnl0_MouseMove(int index) {
  drag_num = static_cast<Digit>(index);
}

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
  // digit: drag_num can lag behind when the press came without a movement
  // over the tile, and picture and digit must never disagree.
  cell(block, index)->set_picture(source->picture(), source->objectName());
  grid_.drop_digit(block, index, source->index());
}

void Form1::press_on_cell(int block, int index, Qt::MouseButton button) {
  const Digit v = grid_.step_digit(block, index, button == Qt::RightButton);
  load_tile(cell(block, index), QStringLiteral("G00%1.bmp").arg(v));
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
                          QString::fromLatin1(kAppTitle));
    return;
  }
  const Digit len = 1;
  mark_givens(len);
  accept_input(grid_);
  btnans->setEnabled(true);
  btnrestart->setEnabled(true);
  btninput->setEnabled(false);
  mnuippatu->setEnabled(true);
  mnureset->setEnabled(true);
  mnuconf->setEnabled(false);
  mnujirikistart->setEnabled(true);
  palette_off();
}

void Form1::mnuconf_Click() {
  btninput_Click();
}

void Form1::mark_givens(const Digit& len) {
  for (int n = 1; n <= 9; ++n)
    for (int k = 1; k <= 9; ++k) {
      const Cands c = grid_.gs_cand(n, k);
      if (cands_length(c) == len) load_tile(cell(n, k), tile_file("R00", cands_text(c)));
      cell(n, k)->setEnabled(false);
    }
}

// ---- Solving ----

void Form1::btnans_Click() {
  const SolveStage stage = solve_command(grid_, *this);
  if (stage == SolveStage::unsolvable) {
    // The engine has put the accepted puzzle back; return to entry with it.
    mnusaisyo_Click();
    grid_.sync_views();
    palette_on();
    btninput->setEnabled(true);
    btnans->setEnabled(false);
    mnuippatu->setEnabled(false);
    mnuconf->setEnabled(true);
    mnujirikistart->setEnabled(false);
    btnrestart->setEnabled(true);
    mnureset->setEnabled(true);
    return;
  }
  mnusaisyo->setEnabled(true);
  mnujirikistart->setEnabled(false);
  btnans->setEnabled(false);
  mnuippatu->setEnabled(false);
  btninput->setEnabled(false);
  mnuconf->setEnabled(false);
  btnrestart->setEnabled(true);
  mnureset->setEnabled(true);
}

void Form1::mnuippatu_Click() {
  btnans_Click();
}

void Form1::show_board() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const Cands c = grid_.gs_cand(b, k);
      if (cands_length(c) == 1) load_tile(cell(b, k), tile_file("G00", cands_text(c)));
    }
}

void Form1::show_board(const Grid&) {
  show_board();
}

void Form1::unsolvable(const Grid&) {
  dialogs_.show_message(this, QString::fromUtf8(kUnsolvableMessage),
                        QString::fromLatin1(kAppTitle));
}

// ---- Self-solve mode ----

void Form1::mnujirikistart_Click() {
  unlock_open_cells();
  palette_on();
  btnans->setEnabled(false);
  btnrestart->setEnabled(false);
  btninput->setEnabled(false);
  mnuippatu->setEnabled(false);
  mnuconf->setEnabled(false);
  mnujirikistart->setEnabled(false);
  mnujirikiend->setEnabled(true);
  mnureset->setEnabled(false);
  mnusaisyo->setEnabled(false);
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
      if (grid_.gs_cand(n, k) == kNoCands)
        load_tile(cell(n, k), QStringLiteral("G00%1.bmp").arg(grid_.gs_val(n, k)));
      else
        load_tile(cell(n, k), QStringLiteral("G000.bmp"));
      cell(n, k)->setEnabled(true);
    }
  // The givens back as entered digits, everything else blank, views in step.
  grid_.return_to_first_problem();
  btnans->setEnabled(false);
  btnrestart->setEnabled(true);
  btninput->setEnabled(true);
  mnuconf->setEnabled(true);
  mnujirikistart->setEnabled(false);
  mnujirikiend->setEnabled(false);
  mnusaisyo->setEnabled(false);
  mnuippatu->setEnabled(false);
  mnureset->setEnabled(true);
  palette_on();
}

// ---- Version box ----

void Form1::mnuver_Click() {
  dialogs_.show_message(this, version_box_text(), QString::fromUtf8(kVersionCaption));
  // Our own notification, from the program's data folder.
  sound_file = data_file_path(QString::fromLatin1(kNotificationFile));
  sound_.play_and_wait(sound_file);
}

}  // namespace tesura::ui
