#!/bin/sh
# SPDX-License-Identifier: MIT
# Times tesura beside the tdoku solver on the same files and prints a
# Markdown table. Two kinds of figure:
#  - the whole process per file: each program reads the file and answers
#    every puzzle (first solution only); the least of RUNS runs counts, in
#    processor seconds where perf or /usr/bin/time is there to measure
#    them; a file that tdoku answers in under 0.1 s is taken several times
#    over;
#  - the median and the worst time per puzzle, each puzzle timed three times
#    over and its fastest reading kept, so that a pause of a shared machine
#    does not pass for a slow puzzle.
# For tesura both the complete search alone (--search-only) and the whole
# solve command (entry, checks and solve, as the window runs it).
#
#   bench/compare_tdoku.sh TDOKU_BUILD [TESURA_BUILD [PUZZLE_DIR [RUNS]]]
#
# TDOKU_BUILD is a tdoku build folder holding libtdoku_static.a; this script
# fetches and builds nothing of tdoku, and skips the comparison without it.
# TESURA_BUILD (default build/) must hold cli/tesura-solve and
# bench/puzzle_times. The files are those of PUZZLE_DIR (default
# ../shared/puzzles beside the checkout) and bench/slow_boards.txt; a file
# with puzzles of fewer than 20 givens runs with --any-count.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
tdoku=${1:-}
build=${2:-$root/build}
dir=${3:-$root/../shared/puzzles}
runs=${4:-3}
solve=$build/cli/tesura-solve
times=$build/bench/puzzle_times

if [ -z "$tdoku" ] || [ ! -f "$tdoku/libtdoku_static.a" ]; then
  echo "compare_tdoku.sh: no tdoku build (libtdoku_static.a) at '$tdoku': comparison skipped" >&2
  exit 0
fi
if [ ! -x "$solve" ] || [ ! -x "$times" ]; then
  echo "compare_tdoku.sh: no tesura-solve or puzzle_times in $build (build them first)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-c++}" -O2 -std=c++20 -o "$work/tdoku_times" "$root/bench/tdoku_times.cpp" \
  "$tdoku/libtdoku_static.a"

now_ns() { date +%s%N; }

needs_any_count() {
  awk '!/^[ \t]*(#|$)/ { if (gsub(/[1-9]/, "&", $1) < 20) few = 1 } END { exit !few }' "$1"
}

# The least of RUNS whole-process runs, in seconds: processor time (user
# and system) where it can be told, since on a shared machine the wall clock
# also counts other people's work; perf's task clock gives milliseconds,
# /usr/bin/time hundredths of a second. Else wall time.
if command -v perf >/dev/null 2>&1 && perf stat -x, -e task-clock true >/dev/null 2>&1; then
  clock=perf
elif [ -x /usr/bin/time ]; then
  clock=time
else
  clock=wall
fi
least=0.05
[ "$clock" = perf ] && least=0.01
process_s() {
  i=0
  while [ "$i" -lt "$runs" ]; do
    case $clock in
      perf)
        perf stat -x, -e task-clock -o "$work/time" "$@" >/dev/null 2>&1
        awk -F, '$3 == "task-clock" { printf "%.3f\n", $1 / 1000 }' "$work/time"
        ;;
      time)
        /usr/bin/time -o "$work/time" -f "%U %S" "$@" >/dev/null 2>&1
        awk '{ printf "%.2f\n", $1 + $2 }' "$work/time"
        ;;
      *)
        start=$(now_ns)
        "$@" >/dev/null 2>&1
        stop=$(now_ns)
        awk -v ns=$((stop - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
        ;;
    esac
    i=$((i + 1))
  done | sort -n | head -n 1
}

# "median_us max_us" from the stats line a run prints on standard error.
per_puzzle() {
  "$@" 2>&1 >/dev/null | grep '^stats: ' | awk '{
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
    printf "%.2f %.1f\n", v["median_us"], v["max_us"] }'
}

echo "| file | puzzles | process s: tdoku / search-only / solve command | search-only ÷ tdoku | solve command ÷ tdoku | median µs: tdoku / search / solve command | worst µs: tdoku / search / solve command |"
echo "|---|---:|---|---:|---:|---|---|"
for f in "$dir"/*.txt "$root/bench/slow_boards.txt"; do
  [ -f "$f" ] || continue
  extra=""
  note=""
  if needs_any_count "$f"; then
    extra="--any-count"
    note=" (--any-count)"
  fi
  n=$(awk '!/^[ \t]*(#|$)/ { ++n } END { print n + 0 }' "$f")
  # A file that tdoku answers in under 0.1 s is repeated for the whole
  # process (at most 100 times), so that the start of a process and the
  # clock's resolution count for little.
  whole=$f
  t_s=$(process_s "$work/tdoku_times" "$f")
  times_over=$(awk -v t="$t_s" 'BEGIN { k = t > 0 ? int(0.1 / t + 0.999) : 100
    print k < 1 ? 1 : (k > 100 ? 100 : k) }')
  if [ "$times_over" -gt 1 ]; then
    whole=$work/repeated.txt
    i=0
    while [ "$i" -lt "$times_over" ]; do cat "$f"; i=$((i + 1)); done >"$whole"
    note="$note ×$times_over"
    t_s=$(process_s "$work/tdoku_times" "$whole")
  fi
  # shellcheck disable=SC2086
  s_s=$(process_s "$solve" --search-only $extra "$whole")
  # shellcheck disable=SC2086
  c_s=$(process_s "$solve" $extra "$whole")
  t_pp=$(per_puzzle "$work/tdoku_times" "$f" 3)
  s_pp=$(per_puzzle "$times" --search --repeat=3 "$f")
  c_pp=$(per_puzzle "$times" --repeat=3 "$f")
  echo "$t_pp $s_pp $c_pp" | awk -v f="$(basename "$f")" -v note="$note" -v n="$n" \
    -v ts="$t_s" -v ss="$s_s" -v cs="$c_s" \
    -v least="$least" \
    'function ratio(a, b) { return b >= least && a > 0 ? sprintf("%.2f×", a / b) : "–" }
     { printf "| `%s`%s | %d | %s / %s / %s | %s | %s | %s / %s / %s | %s / %s / %s |\n",
       f, note, n, ts, ss, cs, ratio(ss, ts), ratio(cs, ts), $1, $3, $5, $2, $4, $6 }'
done
echo
case $clock in
  perf) echo "Whole process: least of $runs runs, processor seconds (perf's task clock);"
        echo "no ratio where tdoku takes under 0.01 s." ;;
  time) echo "Whole process: least of $runs runs, processor seconds (/usr/bin/time);"
        echo "no ratio where tdoku takes under 0.05 s, as the clock counts hundredths." ;;
  *) echo "Whole process: least of $runs runs, wall seconds;"
     echo "no ratio where tdoku takes under 0.05 s." ;;
esac
echo "×k: the file k times over for the whole process, for tdoku to take 0.1 s (k at most 100)."
echo "Per puzzle: fastest of 3 readings of each puzzle. On $(nproc) cores; tdoku with a"
echo "limit of one solution, from $tdoku."
