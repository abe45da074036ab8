#!/bin/sh
# SPDX-License-Identifier: MIT
# Counts the instructions tesura-solve executes over each file, with
# valgrind's callgrind: steady where timings on a shared machine are not,
# and so the figure by which versions of the engine are compared. Prints a
# Markdown table: instructions for the whole process and per puzzle, for the
# solve command and for the complete search alone (--search-only).
#
#   bench/count_instructions.sh [TESURA_SOLVE] FILE...
#
# TESURA_SOLVE defaults to build/cli/tesura-solve; a file with puzzles of
# fewer than 20 givens runs with --any-count.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
solve=$root/build/cli/tesura-solve
if [ $# -gt 0 ] && [ -f "$1" ] && [ -x "$1" ]; then
  solve=$1
  shift
fi
if ! command -v valgrind >/dev/null 2>&1; then
  echo "count_instructions.sh: valgrind not found" >&2
  exit 2
fi
if [ ! -x "$solve" ]; then
  echo "count_instructions.sh: no tesura-solve at $solve (build it first)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

needs_any_count() {
  awk '!/^[ \t]*(#|$)/ { if (gsub(/[1-9]/, "&", $1) < 20) few = 1 } END { exit !few }' "$1"
}

# Instructions of one run: the total that callgrind reports.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$@" >/dev/null 2>"$work/log"
  sed -n 's/.*Collected : *\([0-9]*\).*/\1/p' "$work/log"
}

: >"$work/empty.txt"
base=$(instructions "$solve" "$work/empty.txt")

echo "| file | puzzles | solve command: instructions / per puzzle | search only: instructions / per puzzle |"
echo "|---|---:|---|---|"
for f in "$@"; do
  any=""
  if needs_any_count "$f"; then any="--any-count"; fi
  n=$(grep -c -v -E '^[[:space:]]*(#|$)' "$f" || true)
  whole=$(instructions "$solve" $any "$f")
  search=$(instructions "$solve" --search-only $any "$f")
  awk -v f="$(basename "$f")" -v a="$any" -v n="$n" -v w="$whole" -v s="$search" -v b="$base" 'BEGIN {
    printf "| `%s`%s | %d | %.1f M / %.0f | %.1f M / %.0f |\n", f, (a == "" ? "" : " (" a ")"), n,
      w / 1e6, (w - b) / n, s / 1e6, (s - b) / n }'
done
