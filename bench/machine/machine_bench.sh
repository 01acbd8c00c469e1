#!/usr/bin/env bash
# The costs of a run's model beyond the interpreter, with marlinet-run:
#  - grading: 500 copies of a short board program checked against a
#    scenario of 10 s of virtual time with --jobs 2 (programs a second);
#  - transcript: a run that sends 10 million events, written with
#    --transcript to a file (events a second; the run alone without the
#    transcript for scale).
# CPU time (user + system, of every thread) of one run each, best of three:
# like compare.sh, so that other work on a shared machine disturbs the
# figures less; the wall time of that run is shown beside it.
#
#   bench/machine/machine_bench.sh [marlinet-run binary]   (default: build/release/marlinet-run)
set -euo pipefail
cd "$(dirname "$0")/../.."
ours=${1:-build/release/marlinet-run}
if [ $# -eq 0 ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
  cmake --build build/release --target marlinet-run >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "CPU WALL" seconds of the run with the least CPU time of three runs of "$@",
# output discarded.
best_of_three() {
  local best="" TIMEFORMAT='%3U %3S %3R' t
  for _ in 1 2 3; do
    t=$( { time "$@" >/dev/null 2>&1; } 2>&1 || true)
    best=$(awk -v b="$best" -v u="${t%% *}" -v rest="${t#* }" 'BEGIN {
      split(rest, r, " "); cpu = u + r[1]
      if (b == "") { print cpu, r[2]; exit }
      split(b, o, " "); if (cpu < o[1]) print cpu, r[2]; else print b
    }')
  done
  echo "$best"
}

mkdir "$work/hand-ins"
cat >"$work/blink.bas" <<'BAS'
10 FOR L = 1 TO 4
SETB L
DELAY 250
CLRB L
NEXT
GOTO 10
BAS
for i in $(seq 1 500); do cp "$work/blink.bas" "$work/hand-ins/p$i.bas"; done
cat >"$work/blink.yaml" <<'YAML'
name: Lamps in turn for 10 s
steps:
  - at: 100ms
    expect: { lamp1: on, lamp2: off }
  - when: { lamp4: on }
    within: 2s
  - at: 9.6s
    expect: { lamp3: on, lamp4: off }
  - at: 10s
YAML
"$ours" --scenario "$work/blink.yaml" "$work/hand-ins/p1.bas" | head -1 || true
t=$(best_of_three "$ours" --scenario "$work/blink.yaml" --jobs 2 "$work"/hand-ins/*.bas)
awk -v t="$t" 'BEGIN { split(t, x, " ")
  printf "grading   500 programs, 10 s scenario, --jobs 2: %.3f s CPU (%.3f s wall), %.0f programs/s of CPU, %.0f of wall\n",
    x[1], x[2], 500 / x[1], 500 / x[2] }'

# 10 million events: every statement of the loop sets or clears a lamp.
printf '10 SETB 1\nCLRB 1\nGOTO 10\n' >"$work/events.bas"
limit=15000000 # statements: SETB and CLRB are two of every three
"$ours" --no-delay --max-statements $limit --transcript "$work/events.jsonl" "$work/events.bas" || true
events=$(wc -l <"$work/events.jsonl")
bytes=$(stat -c %s "$work/events.jsonl")
t=$(best_of_three "$ours" --no-delay --max-statements $limit --transcript "$work/events.jsonl" "$work/events.bas")
plain=$(best_of_three "$ours" --no-delay --max-statements $limit "$work/events.bas")
awk -v t="$t" -v p="$plain" -v n="$events" -v b="$bytes" 'BEGIN {
  split(t, x, " "); split(p, y, " ")
  printf "transcript %d events (%.0f MB): %.3f s CPU (%.3f s wall), %.2f M events/s of CPU, %.2f of wall (the run without it: %.3f s CPU)\n",
    n, b / 1e6, x[1], x[2], n / x[1] / 1e6, n / x[2] / 1e6, y[1]
}'
