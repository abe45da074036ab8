#!/bin/sh
# SPDX-License-Identifier: MIT
# The adversary: a fixed plan of hill-climbs against a build, from a seed
# that no run has used before, so that no change can have been tuned to the
# boards it finds. Run it last, after the final change.
#
#   bench/adversary.sh SEED [TDOKU_BUILD [TESURA_BUILD [OUT_DIR]]]
#
# The plan, 1,000 climbs per mode, each climb from a random board:
#   search17  complete search alone, 17 givens and no fewer, 2,000 steps
#   search20  complete search alone, 20 givens or more,      2,000 steps
#   solve20   the whole solve command, 20 givens or more,     400 steps
# (hill_climb: one given changed per step, kept while the solve does not get
# faster). Each mode runs as two halves of 500 climbs, two processes at a
# time; half h of mode m uses seed SEED*8 + m*2 + h. It takes about 3
# minutes of two idle cores (300 processor seconds), 12 at most on a busy
# machine. The five slowest boards of each mode are timed again, fastest of
# 20 readings, beside tdoku's fastest of 20 on the same board; the slowest
# of them is the mode's worst. Targets: search modes 1000 µs, solve20
# 16000 µs.
#
# Neither SEED nor those six may be in bench/used_seeds.txt (the seeds used
# while the search was tuned); add them there after the run. TDOKU_BUILD holds
# libtdoku_static.a (without it, no tdoku column); TESURA_BUILD (default
# build/) holds bench/hill_climb and bench/puzzle_times. Every climb's board
# and time stays in OUT_DIR (default: a new folder under /tmp).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
seed=${1:-}
tdoku=${2:-}
build=${3:-$root/build}
out=${4:-$(mktemp -d /tmp/adversary.XXXXXX)}
climb=$build/bench/hill_climb
times=$build/bench/puzzle_times

case $seed in
  '' | *[!0-9]*)
    echo "usage: bench/adversary.sh SEED [TDOKU_BUILD [TESURA_BUILD [OUT_DIR]]]" >&2
    exit 2
    ;;
esac
for s in "$seed" $(seq $((seed * 8)) $((seed * 8 + 5))); do
  if grep -qx "$s" "$root/bench/used_seeds.txt"; then
    echo "adversary.sh: seed $s was used before (bench/used_seeds.txt); take a new one" >&2
    exit 2
  fi
done
if [ ! -x "$climb" ] || [ ! -x "$times" ]; then
  echo "adversary.sh: no hill_climb or puzzle_times in $build (build them first)" >&2
  exit 2
fi
mkdir -p "$out"
if [ -n "$tdoku" ] && [ -f "$tdoku/libtdoku_static.a" ]; then
  "${CXX:-c++}" -O2 -std=c++20 -o "$out/tdoku_times" "$root/bench/tdoku_times.cpp" \
    "$tdoku/libtdoku_static.a"
else
  echo "adversary.sh: no tdoku build at '$tdoku': no tdoku column" >&2
fi

# mode number, name, hill_climb options
modes='0 search17 --search --givens=17 --min-givens=17 --steps=2000
1 search20 --search --givens=20 --steps=2000
2 solve20 --givens=20 --steps=400'

start=$(date +%s)
# Two halves of a mode at a time, the slow mode first.
echo "$modes" | sort -r | while read -r m name options; do
  for h in 0 1; do
    # shellcheck disable=SC2086
    "$climb" $options --climbs=500 --seed=$((seed * 8 + m * 2 + h)) >"$out/$name.$h.txt" &
  done
  wait
done
echo "adversary: seed $seed, $(($(date +%s) - start)) s of climbing; boards in $out"

# The fastest of 20 readings of one board, in µs: tesura's (OPTION
# --search or none) or tdoku's.
tesura_us() {
  printf '%s\n' "$2" >"$out/one.txt"
  # shellcheck disable=SC2086
  "$times" $1 --repeat=20 "$out/one.txt" 2>&1 >/dev/null | sed -n 's/.*max_us=\([0-9.]*\).*/\1/p'
}
tdoku_us() {
  [ -x "$out/tdoku_times" ] || { echo "–"; return; }
  printf '%s\n' "$1" >"$out/one.txt"
  "$out/tdoku_times" "$out/one.txt" 20 2>&1 >/dev/null | sed -n 's/.*max_us=\([0-9.]*\).*/\1/p'
}

echo
echo "| mode | climbs | worst board | µs | tdoku µs | target µs |"
echo "|---|---:|---|---:|---:|---:|"
echo "$modes" | while read -r m name options; do
  option=""
  target=16000
  case $options in --search*) option=--search target=1000 ;; esac
  n=$(cat "$out/$name".*.txt | wc -l)
  worst_board="" worst=0
  for board in $(cat "$out/$name".*.txt | sort -t "$(printf '\t')" -k2 -g -r | head -n 5 | cut -f1); do
    us=$(tesura_us "$option" "$board")
    if awk -v a="$us" -v b="$worst" 'BEGIN { exit !(a > b) }'; then
      worst=$us
      worst_board=$board
    fi
  done
  echo "| $name | $n | \`$worst_board\` | $worst | $(tdoku_us "$worst_board") | $target |"
done
