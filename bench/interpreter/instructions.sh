#!/usr/bin/env bash
# Counts the instructions marlinet-run executes per BASIC statement on each
# program in bench/programs/ (calls is written by make_calls.sh into a scratch
# folder at each run), with callgrind: the count is the same whatever
# else the machine is doing, so it shows the effect of a change where timings
# are too noisy. The total includes start-up and loading, a few hundred
# thousand instructions against hundreds of millions for a run.
#
#   bench/interpreter/instructions.sh [marlinet-run binary]   (default build/release/marlinet-run)
set -euo pipefail
cd "$(dirname "$0")/../.."
ours=${1:-build/release/marlinet-run}
if [ $# -eq 0 ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
  cmake --build build/release --target marlinet-run >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp bench/programs/*.bas "$work"
bench/programs/make_calls.sh "$work"

printf '%-8s %14s %12s %14s\n' program instructions statements instr/stmt
for name in loop primes mix calls; do
  valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    "$ours" --no-delay --state "$work/state" "$work/$name.bas" >/dev/null 2>&1
  ir=$(sed -n 's/^summary: \([0-9]*\).*/\1/p' "$work/out")
  n=$(sed -n 's/.*"statements": \([0-9]*\).*/\1/p' "$work/state")
  awk -v name="$name" -v ir="$ir" -v n="$n" \
    'BEGIN { printf "%-8s %14.0f %12d %14.1f\n", name, ir, n, ir / n }'
done
