#!/usr/bin/env bash
# Checks an installed Marlinet under PREFIX (e.g. ROOT/usr of an unpacked
# package): every file in place, the icons the sizes their folders say, the
# manual pages compressed, and both programs run from there.
#
#   check-installed.sh [--install BUILD_DIR] [--validate] PREFIX
#
# --install   first installs BUILD_DIR into PREFIX (emptied) with cmake --install
# --validate  also runs desktop-file-validate, appstreamcli validate and man
set -euo pipefail

build=""
validate=0
while [ $# -gt 1 ]; do
  case "$1" in
    --install) build=$2; shift ;;
    --validate) validate=1 ;;
    *) echo "check-installed.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
prefix=${1:?usage: check-installed.sh [--install BUILD_DIR] [--validate] PREFIX}

if [ -n "$build" ]; then
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
fi
prefix=$(cd "$prefix" && pwd)
id=org.marlinet.marlinet
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for f in bin/marlinet bin/marlinet-run; do
  [ -x "$prefix/$f" ] || fail "$f is missing or not executable"
done
for f in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/marlinet.xml share/icons/hicolor/scalable/apps/marlinet.svg \
         share/marlinet/examples/countdown.bas share/doc/marlinet/copyright; do
  [ -s "$prefix/$f" ] || fail "$f is missing or empty"
done

grep -qx 'License: MIT' "$prefix/share/doc/marlinet/copyright" 2>/dev/null ||
  fail "share/doc/marlinet/copyright does not give the MIT licence"
grep -q '<project_license>MIT</project_license>' "$prefix/share/metainfo/$id.metainfo.xml" 2>/dev/null ||
  fail "the AppStream file does not give the MIT licence"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/marlinet.png"
  if [ ! -s "$png" ]; then fail "no ${size}px icon"; continue; fi
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
                  awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "the ${size}px icon is ${w}x${h}"
done

for page in marlinet marlinet-run; do
  gz="$prefix/share/man/man1/$page.1.gz"
  if ! gzip -t "$gz" 2>/dev/null; then fail "$page.1.gz is missing or not gzip"; continue; fi
  gzip -dc "$gz" | grep -q '^\.SH NAME' || fail "$page.1.gz has no NAME section"
done

# The product version is written once, in the top CMakeLists.
product=$(sed -n 's/^project(Marlinet VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
[ -n "$product" ] || fail "no project version in CMakeLists.txt"
version=$("$prefix/bin/marlinet-run" --version)
[ "$version" = "marlinet-run $product (interpreter 1.5D)" ] || fail "marlinet-run --version said: $version"
version=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/marlinet" --version)
[ "$version" = "marlinet $product (interpreter 1.5D)" ] || fail "marlinet --version said: $version"
grep -q "<release version=\"$product\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo names no release $product"
for page in marlinet marlinet-run; do
  gzip -dc "$prefix/share/man/man1/$page.1.gz" 2>/dev/null | head -n 1 | grep -q "\"Marlinet $product\"" ||
    fail "$page.1 does not name version $product"
done

# An installed example runs to its end: ten DAC values, the last 1, and the
# text after the loop.
status=0
state=$(mktemp)
out=$("$prefix/bin/marlinet-run" --no-delay --state "$state" \
      "$prefix/share/marlinet/examples/countdown.bas") || status=$?
[ "$status" = 0 ] || fail "countdown.bas ended with status $status"
[ "$(printf '%s\n' "$out" | grep -c '^T minus ')" = 10 ] || fail "countdown.bas printed: $out"
[ "$(printf '%s\n' "$out" | tail -n 1)" = "Lift off" ] || fail "countdown.bas did not end: $out"
grep -q '"dac": 1,' "$state" || fail "countdown.bas left the state: $(cat "$state")"
rm -f "$state"

if [ "$validate" = 1 ]; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  for page in marlinet marlinet-run; do
    # By name, as a user asks for it, from this prefix's manual pages only.
    MANPATH="$prefix/share/man" man -P cat "$page" 2>/dev/null | grep -q "^NAME" ||
      fail "man $page does not show the page"
  done
fi

if [ "$failures" -ne 0 ]; then
  echo "check-installed.sh: $failures check(s) failed under $prefix" >&2
  exit 1
fi
echo "check-installed.sh: every check passed under $prefix"
