#!/bin/sh
# SPDX-License-Identifier: MIT
# What --jobs buys: the throughput of tesura-solve --jobs N against one job
# over the same file, runs of the two alternating so that both see the same
# machine, the fastest of RUNS each; then the peak memory (maximum resident
# set, from /usr/bin/time -v) of --jobs over LINES lines made by repeating
# the file, fed through a pipe.
#
#   bench/jobs_bench.sh [TESURA_SOLVE] FILE [N [RUNS [LINES]]]
#
# Defaults: build/cli/tesura-solve, N = 2, RUNS = 5, LINES = 10000000
# (0 skips the memory run). A file with puzzles of fewer than 20 givens
# runs with --any-count.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
solve=$root/build/cli/tesura-solve
if [ $# -gt 0 ] && [ -f "$1" ] && [ -x "$1" ]; then
  solve=$1
  shift
fi
if [ $# -lt 1 ] || [ ! -r "$1" ]; then
  echo "usage: jobs_bench.sh [TESURA_SOLVE] FILE [N [RUNS [LINES]]]" >&2
  exit 2
fi
file=$1 jobs=${2:-2} runs=${3:-5} lines=${4:-10000000}
any=""
if awk '!/^[ \t]*(#|$)/ { if (gsub(/[1-9]/, "&", $1) < 20) few = 1 } END { exit !few }' "$file"
then any="--any-count"; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds of wall time of one run.
seconds() {
  /usr/bin/time -f %e -o "$work/t" "$solve" $any "$@" "$file" >/dev/null
  cat "$work/t"
}
best1="" bestn=""
i=0
while [ $i -lt "$runs" ]; do
  a=$(seconds --jobs=1)
  b=$(seconds --jobs="$jobs")
  best1=$(echo "$a ${best1:-$a}" | awk '{ print ($1 < $2) ? $1 : $2 }')
  bestn=$(echo "$b ${bestn:-$b}" | awk '{ print ($1 < $2) ? $1 : $2 }')
  i=$((i + 1))
done
puzzles=$(grep -c . "$file")
echo "file: $(basename "$file"), $puzzles lines, fastest of $runs runs"
echo "one job:   $best1 s"
echo "$jobs jobs:    $bestn s"
awk -v a="$best1" -v b="$bestn" 'BEGIN { printf "speed-up: %.2fx\n", a / b }'

if [ "$lines" -gt 0 ]; then
  while :; do cat "$file"; done | head -n "$lines" |
    /usr/bin/time -v -o "$work/mem" "$solve" $any --jobs="$jobs" >/dev/null
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/mem")
  echo "peak memory, --jobs=$jobs over $lines lines: $kb KB"
fi
