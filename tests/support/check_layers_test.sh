#!/usr/bin/env bash
# scripts/check-layers on a copy of the tree: it passes on the tree as it is,
# and fails, naming the file, on each planted upward reference (an include,
# a link, a test folder). The tree itself is never changed.
set -euo pipefail
source_dir=$(cd "${1:-"$(dirname "$0")/../.."}" && pwd)
check="$source_dir/scripts/check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

fresh() {
  rm -rf "$work/tree"
  mkdir "$work/tree"
  cp -R "$source_dir/CMakeLists.txt" "$source_dir/src" "$source_dir/tests" "$source_dir/bench" "$work/tree/"
}

# Plants LINE at the end of FILE in a fresh copy; the check must fail and
# name FILE.
expect_caught() {
  local file=$1 line=$2
  fresh
  printf '%s\n' "$line" >>"$work/tree/$file"
  if "$check" "$work/tree" >"$work/out" 2>&1; then
    fail "not caught: '$line' in $file"
  elif ! grep -q "^$file:" "$work/out"; then
    fail "caught '$line' in $file without naming it: $(cat "$work/out")"
  fi
}

# Plants LINE at the end of FILE; the check must still pass.
expect_allowed() {
  local file=$1 line=$2
  fresh
  printf '%s\n' "$line" >>"$work/tree/$file"
  "$check" "$work/tree" >"$work/out" 2>&1 || fail "refused '$line' in $file: $(cat "$work/out")"
}

fresh
"$check" "$work/tree" >"$work/out" 2>&1 || fail "the tree itself: $(cat "$work/out")"

expect_caught src/highlight/attributes.cpp '#include "workbench/main_form.h"'
expect_caught src/editor/editing.cpp '#include "editor/qt/synedit.h"'
expect_caught src/interpreter/tokenizer.cpp '#  include "machine/board.h"'
expect_caught tests/editor/fake_window.h '#include "workbench/main_window_editor.h"'
expect_caught bench/highlight/CMakeLists.txt 'target_link_libraries(x PRIVATE marlinet_editor)'
expect_caught tests/interpreter/CMakeLists.txt 'target_link_libraries(y PRIVATE
  GTest::gtest_main marlinet_machine)'
expect_caught tests/editor/CMakeLists.txt 'target_include_directories(z PRIVATE ${PROJECT_SOURCE_DIR}/tests/workbench)'
expect_caught src/support/CMakeLists.txt 'target_link_libraries(marlinet_support PUBLIC marlinet_highlight)'
# The editor's units never include its face.
expect_caught src/editor/caret.cpp '#include "editor/custom_synedit.h"'

# Downward and sideways references are fine.
expect_allowed src/editor/qt/qt_platform.cpp '#include "editor/editing.h"'
expect_allowed tests/workbench/CMakeLists.txt 'target_link_libraries(w PRIVATE marlinet_editor_qt marlinet_support)'
expect_allowed src/machine/board.cpp '#include "supportive/x.h"'
# The face's own source, its tests and the layers above may include it.
expect_allowed src/editor/custom_synedit.cpp '#include "editor/custom_synedit.h"'
expect_allowed tests/editor/editing_test.cpp '#include "editor/custom_synedit.h"'
expect_allowed src/editor/qt/synedit.cpp '#include "editor/custom_synedit.h"'
# A link commented out is no link.
expect_allowed tests/highlight/CMakeLists.txt '# target_link_libraries(v PRIVATE marlinet_workbench)'

if [ "$failures" -ne 0 ]; then
  echo "check_layers_test: $failures failure(s)" >&2
  exit 1
fi
echo "check_layers_test: all cases behaved"
