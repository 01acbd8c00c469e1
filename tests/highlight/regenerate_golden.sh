#!/usr/bin/env bash
# Rewrites the golden token listings from the current scanner. Run it after a
# deliberate change and review the diff before committing it.
#   tests/highlight/regenerate_golden.sh [BUILD_DIR]   (default: build/test)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
build="${1:-$top/build/test}"
cmake --build "$build" --target highlight_token_dump
dump="$build/highlight_token_dump"
for input in "$here"/golden/*.bas; do
  "$dump" "$input" > "${input%.bas}.tokens"
done
"$dump" --sample > "$here/golden/sample_source.tokens"
git -C "$top" diff --stat -- "$here/golden"
