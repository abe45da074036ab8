#!/bin/sh
# SPDX-License-Identifier: MIT
# Times tesura-solve beside the tdoku solver on the same files and prints a
# Markdown table: the whole process per file (each program reads the file
# and solves every puzzle, first solution only), then the median and worst
# time per puzzle around each solve alone. Each run is repeated and the
# fastest reading of each figure kept, since the machine is shared.
#
#   bench/compare_tdoku.sh TDOKU_BUILD [TESURA_SOLVE [PUZZLE_DIR [REPEATS]]]
#
# TDOKU_BUILD is a tdoku build folder holding libtdoku_static.a; this script
# fetches and builds nothing of tdoku, and skips the comparison without it.
# The files are those of PUZZLE_DIR (default ../shared/puzzles beside the
# checkout) and bench/slow_boards.txt. Files with puzzles of fewer than 20
# givens run with --any-count.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
tdoku=${1:-}
solve=${2:-$root/build/cli/tesura-solve}
dir=${3:-$root/../shared/puzzles}
repeats=${4:-3}

if [ -z "$tdoku" ] || [ ! -f "$tdoku/libtdoku_static.a" ]; then
  echo "compare_tdoku.sh: no tdoku build (libtdoku_static.a) at '$tdoku': comparison skipped" >&2
  exit 0
fi
if [ ! -x "$solve" ]; then
  echo "compare_tdoku.sh: no tesura-solve at $solve (build it first)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-c++}" -O2 -std=c++20 -o "$work/tdoku_times" "$root/bench/tdoku_times.cpp" \
  "$tdoku/libtdoku_static.a"

now_ns() { date +%s%N; }

# Fewest givens of any puzzle line in the file.
fewest_givens() {
  awk '!/^[ \t]*(#|$)/ { n = gsub(/[1-9]/, "&", $1); if (m == "" || n < m) m = n } END { print m + 0 }' "$1"
}

# One reading, "seconds median_us max_us puzzles", from a run that prints
# its answers and then a stats line on standard error.
reading() {
  start=$(now_ns)
  stats=$("$@" 2>&1 >/dev/null | grep '^stats: ')
  stop=$(now_ns)
  echo "$stats" | awk -v ns=$((stop - start)) '{
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
    printf "%.3f %s %s %s\n", ns / 1e9, v["median_us"], v["max_us"], v["puzzles"] }'
}

# The fastest of the repeated readings, figure by figure.
best() {
  i=0
  while [ "$i" -lt "$repeats" ]; do
    reading "$@"
    i=$((i + 1))
  done | awk 'NR == 1 || $1 < s { s = $1 } NR == 1 || $2 < m { m = $2 } NR == 1 || $3 < w { w = $3 }
              { n = $4 } END { printf "%.3f %.2f %.1f %d\n", s, m, w, n }'
}

echo "| file | puzzles | process s: tdoku / search-only / solve command | search-only ÷ tdoku | solve command ÷ tdoku | median µs: tdoku / search-only / solve command | worst µs: tdoku / search-only / solve command |"
echo "|---|---:|---|---:|---:|---|---|"
for f in "$dir"/*.txt "$root/bench/slow_boards.txt"; do
  [ -f "$f" ] || continue
  extra=""
  note=""
  if [ "$(fewest_givens "$f")" -lt 20 ]; then
    extra="--any-count"
    note=" (--any-count)"
  fi
  # Word splitting wanted: four figures become $1 to $4.
  # shellcheck disable=SC2046
  set -- $(best "$work/tdoku_times" "$f")
  t_s=$1 t_med=$2 t_max=$3 n=$4
  # shellcheck disable=SC2046,SC2086
  set -- $(best "$solve" --stats --search-only $extra "$f")
  s_s=$1 s_med=$2 s_max=$3
  # shellcheck disable=SC2046,SC2086
  set -- $(best "$solve" --stats $extra "$f")
  c_s=$1 c_med=$2 c_max=$3
  awk -v f="$(basename "$f")$note" -v n="$n" -v ts="$t_s" -v ss="$s_s" -v cs="$c_s" \
    -v tm="$t_med" -v sm="$s_med" -v cm="$c_med" -v tw="$t_max" -v sw="$s_max" -v cw="$c_max" \
    'BEGIN { printf "| `%s` | %d | %.3f / %.3f / %.3f | %.2f× | %.2f× | %s / %s / %s | %s / %s / %s |\n",
             f, n, ts, ss, cs, ss / ts, cs / ts, tm, sm, cm, tw, sw, cw }'
done
echo
echo "Whole process and per-puzzle times, fastest of $repeats runs each, on $(nproc) cores;"
echo "tdoku with a limit of one solution, from the build at $tdoku."
