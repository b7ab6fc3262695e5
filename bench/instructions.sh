#!/usr/bin/env bash
# What one run of tarnel costs tarnel itself. Callgrind inside the simulated
# gateway counts the instructions of main, inclusive: the dynamic loader's
# start-up and the child processes (callgrind does not follow them) are
# left out. The loader's work is left out of main as well by binding every
# symbol at load (LD_BIND_NOW); the lazy-binding figure is shown beside it.
# The simulated platform library is linked into tarnel and logs each call
# to the trace: its share is the inclusive cost of the functions that
# platform/platform.h declares, and tarnel's own is main less that share.
# Then the wall time of "tarnel -h" against a C program that only returns.
# Prints Markdown; it passes or fails nothing.
#   bench/instructions.sh [ROUNDS]      (default 200 runs of -h and of true)
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-200}
[ -x "$tools/timeit" ] || prepare
root=$(fresh_root KR4410)
valgrind=$(readlink -f "$(command -v valgrind)")
binds="/usr/libexec/valgrind $valgrind ${valgrind}.bin"
platform=$(sed -n 's/^[A-Za-z_ *]*[ *]\([A-Za-z_][A-Za-z0-9_]*\)(.*);$/\1/p' \
  "$repo/platform/platform.h" | tr '\n' ' ')

callgrind() {
  rm -f "$root/tmp/cg.out"
  DUT_BIND="$binds" inside "$root" env "$@" >/dev/null 2>&1
  callgrind_annotate --inclusive=yes --threshold=100 "$root/tmp/cg.out" 2>/dev/null
}

# profile [VAR=VALUE] ARGS...: one run of tarnel under callgrind; prints
# main's inclusive count, the platform's share and the whole process's.
profile() {
  local env=$1
  shift
  TARNEL_WRAP="env $env valgrind --tool=callgrind --callgrind-out-file=/tmp/cg.out" \
    callgrind tarnel "$@" |
    awk -v fns="$platform" '
      BEGIN { n = split(fns, a, " "); for (i = 1; i <= n; i++) want[a[i]] = 1 }
      { v = $1; gsub(",", "", v) }
      /PROGRAM TOTALS/ { total = v }
      / \[\/\.wrap\/tarnel\]$/ {
        f = $(NF - 1); sub(/^[^:]*:/, "", f)
        if (f == "main") main = v
        if (f in want) platform += v
      }
      END { print main + 0, platform + 0, total + 0 }'
}

# 1234567 as 1,234,567
n() { echo "$1" | sed -e ':a' -e 's/\([0-9]\)\([0-9]\{3\}\)\($\|,\)/\1,\2\3/' -e 'ta'; }

echo "| run | main, bound at load | main, lazy binding | simulated platform | tarnel's own | goal | |"
echo "|---|---:|---:|---:|---:|---:|---|"
for args in "-h" "-s" "-a -w"; do
  read -r now plat _ < <(profile LD_BIND_NOW=1 $args)
  read -r lazy _ total < <(profile "" $args)
  [ "$args" = -h ] && htotal=$total
  case $args in
  -h) goal=100000 ;;
  "-a -w") goal=500000 ;;
  *) goal= ;;
  esac
  echo "| tarnel $args | $(n "$now") | $(n "$lazy") | $(n "$plat") | $(n $((now - plat)))" \
    "| ${goal:+$(n $goal)} | ${goal:+$(verdict "$now" "$goal")} |"
done
echo
before=$(load)
timings "$root" "$rounds" tarnel -h -- "$tools/true" >"$root/tmp/times"
truetotal=$(callgrind valgrind --tool=callgrind --callgrind-out-file=/tmp/cg.out "$tools/true" |
  awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
echo "| start | median ms | instructions, whole process |"
echo "|---|---:|---:|"
echo "| tarnel -h | $(median 1 <"$root/tmp/times") | $(n "$htotal") |"
echo "| C true (dynamic, C library only) | $(median 2 <"$root/tmp/times") | $(n "$truetotal") |"
echo "| ratio, round by round | $(paired_ratio <"$root/tmp/times") | |"
echo
echo "$rounds runs of each, taking turns; load $before-$(load)."
