#!/usr/bin/env bash
# Times marlinet-run on the programs in bench/programs/ (calls is written by
# make_calls.sh into a scratch folder at each run) beside the same programs in
# two other BASIC interpreters (yabasic, a bytecode interpreter, and
# bwbasic), and prints the median CPU time (user + system) of several
# interleaved runs, the ratio ours/yabasic and our statements per second. CPU
# time rather than wall time, so that other work on a shared machine disturbs
# the comparison less.
#
#   bench/interpreter/compare.sh [runs]        (default 9 runs; bwbasic runs once)
#
# Builds a release marlinet-run in build/release first, unless MARLINET_RUN
# names a binary to time instead (for example an older build, to compare a
# change). Installs the two peers from Debian when they are missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-9}
scripts/deps yabasic bwbasic
if [ -n "${MARLINET_RUN:-}" ]; then
  ours=$MARLINET_RUN
else
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
  cmake --build build/release --target marlinet-run >/dev/null
  ours=build/release/marlinet-run
fi
programs=$(mktemp -d)
trap 'rm -rf "$programs"' EXIT
cp bench/programs/*.bas bench/programs/*.yab bench/programs/*.bwb "$programs"
bench/programs/make_calls.sh "$programs"

# CPU time (user + system) in milliseconds of one run of "$@", output discarded.
cpu_ms() {
  local TIMEFORMAT='%3U %3S' t
  t=$( { time "$@" </dev/null >/dev/null 2>&1; } 2>&1 )
  awk '{printf "%d", ($1 + $2) * 1000}' <<<"$t"
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

statements() {
  local state
  state=$(mktemp)
  "$ours" --no-delay --state "$state" "$1" >/dev/null
  sed -n 's/.*"statements": \([0-9]*\).*/\1/p' "$state"
  rm -f "$state"
}

printf '%-8s %10s %10s %10s %11s %11s %11s\n' program ours-ms yabasic-ms bwbasic-ms \
  ours/yab ours/bwb Mstmt/s
for name in loop primes mix calls; do
  for ext in bas yab bwb; do
    [ -f "$programs/$name.$ext" ] || { echo "missing $programs/$name.$ext" >&2; exit 1; }
  done
  expected=$("$ours" --no-delay "$programs/$name.bas" | tr -d ' \n')
  got_yab=$(yabasic "$programs/$name.yab" | tr -d ' \n')
  [ "$expected" = "$got_yab" ] || echo "warning: $name prints $expected here, $got_yab in yabasic" >&2
  # Interleaved, so that a change in the machine's load touches both alike.
  ours_runs=() yab_runs=()
  for ((i = 0; i < runs; i++)); do
    ours_runs+=("$(cpu_ms "$ours" --no-delay "$programs/$name.bas")")
    yab_runs+=("$(cpu_ms yabasic "$programs/$name.yab")")
  done
  t_ours=$(median "${ours_runs[@]}")
  t_yab=$(median "${yab_runs[@]}")
  # bwbasic is two orders of magnitude slower: one run keeps the script short.
  t_bwb=$(cpu_ms bwbasic "$programs/$name.bwb")
  n=$(statements "$programs/$name.bas")
  awk -v name="$name" -v o="$t_ours" -v y="$t_yab" -v b="$t_bwb" -v n="$n" 'BEGIN {
    o1 = (o > 0 ? o : 1)
    printf "%-8s %10d %10d %10d %11.2f %11.4f %11.1f\n", name, o, y, b, o / (y > 0 ? y : 1),
      o / (b > 0 ? b : 1), n / o1 / 1000
  }'
done
