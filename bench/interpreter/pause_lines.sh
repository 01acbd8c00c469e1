#!/usr/bin/env bash
# What pause lines cost a run that never reaches them: runs each program in
# bench/programs/ (calls is written by make_calls.sh into a scratch folder)
# with no pause line and with N pause lines on lines after its END, and
# prints the instructions per statement (callgrind: the same whatever else
# the machine does) and the median CPU time of interleaved runs, with the
# ratios. Both runs get the same program text.
#
#   bench/interpreter/pause_lines.sh [pause lines] [runs]     (default 10 and 9)
#
# Builds a release interpreter_pause_run first, in build/release or the
# folder MARLINET_BUILD_DIR names.
set -euo pipefail
cd "$(dirname "$0")/../.."
pauses=${1:-10}
runs=${2:-9}
build=${MARLINET_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target interpreter_pause_run >/dev/null
run=$build/interpreter_pause_run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp bench/programs/*.bas "$work"
bench/programs/make_calls.sh "$work"

cpu_ms() {
  local TIMEFORMAT='%3U %3S' t
  t=$( { time "$@" </dev/null >/dev/null 2>&1; } 2>&1 )
  awk '{printf "%d", ($1 + $2) * 1000}' <<<"$t"
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$run" "$@" >"$work/stdout" 2>/dev/null
  local ir n
  ir=$(sed -n 's/^summary: \([0-9]*\).*/\1/p' "$work/out")
  n=$(sed -n 's/^statements: \([0-9]*\)/\1/p' "$work/stdout")
  awk -v ir="$ir" -v n="$n" 'BEGIN { printf "%.1f", ir / n }'
}

printf '%-8s %10s %10s %8s %9s %9s %8s\n' program instr/stmt "with $pauses" ratio ms "with $pauses" ratio
for name in loop primes mix calls; do
  i0=$(instructions "$work/$name.bas")
  i1=$(instructions --unreached-pause-lines "$pauses" "$work/$name.bas")
  t0=() t1=()
  for ((i = 0; i < runs; i++)); do
    t0+=("$(cpu_ms "$run" "$work/$name.bas")")
    t1+=("$(cpu_ms "$run" --unreached-pause-lines "$pauses" "$work/$name.bas")")
  done
  m0=$(median "${t0[@]}")
  m1=$(median "${t1[@]}")
  awk -v name="$name" -v i0="$i0" -v i1="$i1" -v m0="$m0" -v m1="$m1" 'BEGIN {
    printf "%-8s %10.1f %10.1f %8.3f %9d %9d %8.3f\n", name, i0, i1, i1 / i0, m0, m1, m1 / (m0 > 0 ? m0 : 1)
  }'
done
