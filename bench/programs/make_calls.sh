#!/usr/bin/env bash
# Writes calls.bas, calls.yab and calls.bwb: a GOSUB- and IF-heavy program
# spread over about 2,000 distinct lines (20 subroutines of 100 lines called in
# turn, some calling one of 5 small shared subroutines), so that the
# interpreter's per-position work is spread over a large text instead of a
# tight loop. Every value stays within 0..4095, where all three dialects agree.
# The benchmark scripts write them into their own scratch folder at each run;
# the output depends on the arguments only.
#
#   bench/programs/make_calls.sh folder [passes]     (default 3000)
set -euo pipefail
out=${1:?usage: make_calls.sh folder [passes]}
passes=${2:-3000}

# One body line for subroutine $1, line $2, in dialect $3 (bas, yab, bwb),
# left in $text (no subshell: this runs 6,000 times).
line() {
  local v=$(($1 * 100 + $2)) d=$3
  local m=$((2 + v % 11)) c=$((1 + v % 13))
  local r=$((v % m)) big=$((100 + v * 7 % 3000)) step=$((1 + v % 50))
  local mod and mask gosub
  case $d in
    bas) mod="K % $m" and="(S + $c) & 4095" mask="(K * $c + S) & 255" ;;
    yab) mod="mod(k, $m)" and="and(s + $c, 4095)" mask="and(k * $c + s, 255)" ;;
    bwb) mod="K MOD $m" and="(S + $c) AND 4095" mask="(K * $c + S) AND 255" ;;
  esac
  local shared=$((21 + v % 5))
  case $d in
    bas) gosub="GOSUB $shared" ;;
    yab) gosub="gosub shared$shared" ;;
    bwb) gosub="GOSUB $((9000 + shared * 10))" ;;
  esac
  local kind=$((v % 4))
  case $kind in
    0) text="IF $mod = $r THEN S = $and" ;;
    1) text="IF S > $big THEN S = S - $step" ;;
    2) text="IF S < $big THEN S = S + $step" ;;
    3) if ((v % 8 == 3)); then text="IF $mod = $r THEN $gosub"
       else text="T = $mask"; fi ;;
  esac
  case $d in
    yab) text=${text,,}
         if [[ $text == if* ]]; then text="$text : endif"; fi ;;
  esac
}

write() {
  local d=$1 n=10 s j text
  {
    case $d in
      bas) echo "REM Written by make_calls.sh: $passes passes over 20 subroutines of 100 lines."
           echo "S = 0"; echo "FOR K = 1 TO $passes"
           for s in $(seq 1 20); do echo "GOSUB $s"; done
           echo "NEXT"; echo "PRINT S"; echo "END" ;;
      yab) echo "rem Same as calls.bas."
           echo "s = 0"; echo "for k = 1 to $passes"
           for s in $(seq 1 20); do echo "gosub sub$s"; done
           echo "next k"; echo "print s"; echo "end" ;;
      bwb) echo "1 REM Same as calls.bas."
           echo "2 S = 0"; echo "3 FOR K = 1 TO $passes"
           for s in $(seq 1 20); do echo "$((3 + s)) GOSUB $((s * 1000 + 1))"; done
           echo "30 NEXT K"; echo "40 PRINT S"; echo "50 END" ;;
    esac
    for s in $(seq 1 20); do
      for j in $(seq 1 99); do
        line "$s" "$j" "$d"
        case $d in
          bas) if ((j == 1)); then echo "$s $text"; else echo "$text"; fi ;;
          yab) if ((j == 1)); then echo "label sub$s"; fi; echo "$text" ;;
          bwb) echo "$((s * 1000 + j)) $text" ;;
        esac
      done
      case $d in
        bas|bwb) [ "$d" = bwb ] && printf '%d ' $((s * 1000 + 100)); echo "RETURN" ;;
        yab) echo "return" ;;
      esac
    done
    for s in 21 22 23 24 25; do
      case $d in
        bas) echo "$s S = (S + $s) & 4095"; echo "RETURN" ;;
        yab) echo "label shared$s"; echo "s = and(s + $s, 4095)"; echo "return" ;;
        bwb) echo "$((9000 + s * 10)) S = (S + $s) AND 4095"; echo "$((9001 + s * 10)) RETURN" ;;
      esac
    done
  } >"$out/calls.$d"
}

for d in bas yab bwb; do write "$d"; done
