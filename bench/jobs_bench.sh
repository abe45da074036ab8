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

# "wall cpu" seconds of one run: the elapsed time, and the processor time
# of all its threads (user and system), which a busy machine inflates less.
seconds() {
  /usr/bin/time -f "%e %U %S" -o "$work/t" "$solve" $any "$@" "$file" >/dev/null
  awk '{ print $1, $2 + $3 }' "$work/t"
}
# The smaller of two "wall cpu" pairs, by wall time.
fastest() {
  echo "$1 ${2:-$1}" | awk '{ print ($1 < $3) ? $1 " " $2 : $3 " " $4 }'
}
best1="" bestn=""
i=0
while [ $i -lt "$runs" ]; do
  best1=$(fastest "$(seconds --jobs=1)" "$best1")
  bestn=$(fastest "$(seconds --jobs="$jobs")" "$bestn")
  i=$((i + 1))
done
puzzles=$(grep -c . "$file")
echo "file: $(basename "$file"), $puzzles lines, fastest of $runs runs; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$best1" | awk '{ printf "one job:  %.2f s wall, %.2f s cpu\n", $1, $2 }'
echo "$bestn" | awk -v n="$jobs" '{ printf "%d jobs:   %.2f s wall, %.2f s cpu\n", n, $1, $2 }'
echo "$best1 $bestn" | awk '{ printf "speed-up: %.2fx (cpu of all jobs against one: %.2fx)\n", $1 / $3, $4 / $2 }'

if [ "$lines" -gt 0 ]; then
  while :; do cat "$file"; done | head -n "$lines" |
    /usr/bin/time -v -o "$work/mem" "$solve" $any --jobs="$jobs" >/dev/null
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/mem")
  echo "peak memory, --jobs=$jobs over $lines lines: $kb KB"
fi
