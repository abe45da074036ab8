// SPDX-License-Identifier: MIT
#pragma once
// Every text a user of Tesura reads or hears, in one place: the window's
// captions and messages, the version box, what a screen reader is told and
// the key help. UTF-8; the engine and the batch command use the messages,
// the window everything.

namespace tesura::texts {

// ---- Window, menus and buttons ----
inline constexpr const char* kAppTitle = "Tesura";
inline constexpr const char* kMenuFile = "ファイル(&F)";
inline constexpr const char* kMenuEnd = "終了(&E)";
inline constexpr const char* kMenuProblem = "問題(&I)";
inline constexpr const char* kInputDone = "入力終了";
inline constexpr const char* kSolve = "一発解答";
inline constexpr const char* kRestart = "再入力";
inline constexpr const char* kSelfStart = "自力解答モード開始";
inline constexpr const char* kSelfEnd = "自力解答モード終了";
inline constexpr const char* kFirstProblem = "最初の問題に戻る";
inline constexpr const char* kMenuHelp = "ヘルプ(&H)";
inline constexpr const char* kVersion = "バージョン情報";

// ---- Messages ----
inline constexpr const char* kTooFew = "入力個所が少な過ぎます";
inline constexpr const char* kRepeat = "入力数値にミスがあります";
inline constexpr const char* kUnsolvable = "これは解くことができない問題です";

// ---- Version box: the lines after the version, each a list of phrases.
// A line breaks only between two phrases, never inside one (a no-break
// space keeps "9×9 の" together). ----
inline constexpr const char* kVersionLine1[] = {"9×9\u00A0の", "数字配置パズルの", "入力と",
                                                "一発解答"};
inline constexpr const char* kVersionLine2[] = {"盤面へ",     "数字を", "ドラッグするか、",
                                                "クリックで", "数字を", "送ります。"};

// ---- What a screen reader is told ----
inline constexpr const char* kRowSuffix = "行";     // "3行"
inline constexpr const char* kColumnSuffix = "列";  // "7列"
inline constexpr const char* kBlankCell = "空白";
inline constexpr const char* kGivenCell = "問題の数字";
inline constexpr const char* kRepeatedCell = "重複しています";
inline constexpr const char* kBoardName = "盤面";
inline constexpr const char* kPaletteHint = "Space か Enter で、最後に選んだマスに置きます";

// ---- Announcements ----
inline constexpr const char* kSolved = "解けました";
inline constexpr const char* kCompleted = "完成しました。重複はありません";
inline constexpr const char* kPasteRejected = "貼り付けた文字は問題として読めません";
inline constexpr const char* kMarksOn = "重複の印を表示します";
inline constexpr const char* kMarksOff = "重複の印を消します";

// ---- Key help (F1) ----
inline constexpr const char* kHelpTitle = "キー操作";
inline constexpr const char* kHelpKeyHeader = "キー";
inline constexpr const char* kHelpActionHeader = "操作";
struct KeyHelp {
  const char* keys;
  const char* action;
};
inline constexpr KeyHelp kKeyHelp[] = {
    {"1～9", "選んだマスに数字を置き、次のマスへ進む"},
    {"0 または .", "選んだマスを空白にし、次のマスへ進む"},
    {"Backspace", "前のマスへ戻り、空白にする"},
    {"Delete", "選んだマスを空白にする"},
    {"+ / -", "数字を一つ進める / 戻す"},
    {"矢印キー", "隣のマスへ移る（端では反対の端へ）"},
    {"Home / End", "行の最初 / 最後のマスへ"},
    {"Ctrl+Home / Ctrl+End", "盤面の最初 / 最後のマスへ"},
    {"Tab / Shift+Tab", "盤面、数字の列、ボタンの間を移る"},
    {"Space / Enter（数字の列）", "その数字を最後に選んだマスに置く"},
    {"Space / Enter（ボタン）", "ボタンを押す"},
    {"Ctrl+Z", "元に戻す"},
    {"Ctrl+Shift+Z / Ctrl+Y", "やり直す"},
    {"Ctrl+M", "重複の印の表示 / 非表示"},
    {"Ctrl+V", "問題の文字列を貼り付ける（入力中）"},
    {"Ctrl+C", "盤面を文字列でコピーする"},
    {"F1", "このキー操作の一覧"},
    {"Esc", "この一覧を閉じる"},
};

}  // namespace tesura::texts
