#!/bin/sh
# SPDX-License-Identifier: MIT
# Times tesura-solve over every file of the puzzle folder and over
# bench/slow_boards.txt, and prints the Markdown tables for the README: the
# solve command, then the complete search alone. Times are per puzzle,
# around each solve alone.
#
#   bench/run_stats.sh [TESURA_SOLVE [PUZZLE_DIR]]
#
# Defaults: build/cli/tesura-solve and ../shared/puzzles beside the checkout.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
solve=${1:-$root/build/cli/tesura-solve}
dir=${2:-$root/../shared/puzzles}

if [ ! -x "$solve" ]; then
  echo "run_stats.sh: no tesura-solve at $solve (build it first)" >&2
  exit 2
fi
if ! ls "$dir"/*.txt >/dev/null 2>&1; then
  echo "run_stats.sh: no puzzle files in $dir" >&2
  exit 2
fi

# Whether some puzzle of the file has fewer than 20 givens.
needs_any_count() {
  awk '!/^[ \t]*(#|$)/ { if (gsub(/[1-9]/, "&", $1) < 20) few = 1 } END { exit !few }' "$1"
}

# One table row from the stats line of one run.
row() {
  # $1 file name, $2 a note after it, $3 stats line
  echo "$3" | awk -v file="$1" -v note="$2" '
    {
      for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
      n = split("given propagation trial1 trial2 search unsolvable refused malformed", names, " ")
      stages = ""
      for (i = 1; i <= n; ++i)
        if (v[names[i]] > 0) stages = stages (stages == "" ? "" : ", ") names[i] " " v[names[i]]
      printf "| `%s`%s | %s | %s | %s | %s | %s |\n", file, note, v["puzzles"], stages, v["mean_us"], v["median_us"], v["max_us"]
    }'
}

table() {
  # $@ the options besides --stats and --any-count
  echo "| file | puzzles | stages | mean µs | median µs | worst µs |"
  echo "|---|---:|---|---:|---:|---:|"
  for f in "$dir"/*.txt "$root/bench/slow_boards.txt"; do
    extra=""
    if needs_any_count "$f"; then extra="--any-count"; fi
    status=0
    # shellcheck disable=SC2086
    line=$("$solve" --stats "$@" $extra "$f" 2>&1 >/dev/null | grep '^stats: ' | tail -n 1) || status=$?
    if [ -z "$line" ]; then
      echo "run_stats.sh: no stats from $f (status $status)" >&2
      exit 2
    fi
    note=""
    if [ -n "$extra" ]; then note=" (--any-count)"; fi
    row "$(basename "$f")" "$note" "$line"
  done
}

echo "Solve command: \`tesura-solve --stats --stage [--any-count] FILE\`"
echo
table --stage
echo
echo "Complete search alone: \`tesura-solve --search-only --stats [--any-count] FILE\`"
echo
table --search-only
echo
echo "Times per puzzle around each solve alone (steady clock), on $(nproc) cores;"
echo "\`--any-count\` for the files with puzzles of fewer than 20 givens."
