#!/usr/bin/env bash
# The history of a run, in a release build (see history_bench.cpp): the
# recording's cost on the speed programs of bench/interpreter/compare.sh
# (median of interleaved repetitions, the recorded/plain ratio per program),
# the state at random moments of a 100-million-statement run, and the
# timeline's query over a million events.
#
#   bench/machine/history_bench.sh [history_bench binary]   (default: build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
bench=${1:-build/release/history_bench}
if [ $# -eq 0 ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF >/dev/null
  cmake --build build/release --target history_bench >/dev/null
fi
programs=$(mktemp -d)
trap 'rm -rf "$programs"' EXIT
cp bench/programs/*.bas "$programs"
bench/programs/make_calls.sh "$programs"

"$bench" --programs="$programs" --benchmark_filter='Speed/' --benchmark_repetitions=9 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"?,/ { gsub(/"/, "", $1); split($1, n, "/"); t[n[2] "/" n[3]] = $4 }
    END { printf "%-8s %12s %12s %8s\n", "program", "plain ms", "recorded ms", "ratio"
          split("loop primes mix calls", names, " ")
          for (i = 1; i <= 4; i++) { p = t[names[i] "/plain_median"]; r = t[names[i] "/recorded_median"]
            printf "%-8s %12.1f %12.1f %8.3f\n", names[i], p, r, r / p } }'
"$bench" --benchmark_filter='state_at|timeline_columns'
