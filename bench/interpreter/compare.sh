#!/usr/bin/env bash
# Times marlinet-run on the programs in bench/programs/ beside the same
# programs in two other BASIC interpreters (yabasic, a bytecode interpreter,
# and bwbasic), and prints the median wall time of several runs and ratios.
#
#   bench/interpreter/compare.sh [runs]        (default 5 runs; bwbasic runs once on loop)
#
# Builds a release marlinet-run in build/release first. Installs the two
# peers from Debian when they are missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
scripts/deps yabasic bwbasic
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target marlinet-run >/dev/null
ours=build/release/marlinet-run
programs=bench/programs

# Median wall time in milliseconds of "$@" over $n runs, output discarded.
median_ms() {
  local n=$1; shift
  local times=()
  for ((i = 0; i < n; i++)); do
    local start end
    start=$(date +%s%N)
    "$@" </dev/null >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

statements() {
  local state
  state=$(mktemp)
  "$ours" --no-delay --state "$state" "$1" >/dev/null
  sed -n 's/.*"statements": \([0-9]*\).*/\1/p' "$state"
  rm -f "$state"
}

printf '%-8s %12s %12s %12s %14s %14s %12s\n' program marlinet-ms yabasic-ms bwbasic-ms \
  yabasic/ours bwbasic/ours Mstmt/s
for name in loop primes mix; do
  for ext in bas yab bwb; do
    [ -f "$programs/$name.$ext" ] || { echo "missing $programs/$name.$ext" >&2; exit 1; }
  done
  expected=$("$ours" --no-delay "$programs/$name.bas" | tr -d ' \n')
  got_yab=$(yabasic "$programs/$name.yab" | tr -d ' \n')
  [ "$expected" = "$got_yab" ] || echo "warning: $name prints $expected here, $got_yab in yabasic" >&2
  t_ours=$(median_ms "$runs" "$ours" --no-delay "$programs/$name.bas")
  t_yab=$(median_ms "$runs" yabasic "$programs/$name.yab")
  # bwbasic is two orders of magnitude slower: fewer runs keep the script short.
  t_bwb=$(median_ms 1 bwbasic "$programs/$name.bwb")
  n=$(statements "$programs/$name.bas")
  awk -v name="$name" -v o="$t_ours" -v y="$t_yab" -v b="$t_bwb" -v n="$n" 'BEGIN {
    o1 = (o > 0 ? o : 1)
    printf "%-8s %12d %12d %12d %14.2f %14.1f %12.1f\n", name, o, y, b, y / o1, b / o1, n / o1 / 1000
  }'
done
