#!/usr/bin/env bash
# The hidden-information report against its floor, on each simulated model:
# "tarnel -a -w" and a script that runs the very same command lines (taken
# from the trace of a run of tarnel) through the device's "/bin/sh -c", in
# the same order, take turns inside one device, ROUNDS times each. The
# ratio is tarnel's time over the floor's, round by round, and its median.
# Prints a Markdown table; it passes or fails nothing.
#   bench/report_web.sh [ROUNDS]        (default 20)
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-20}
[ -x "$tools/timeit" ] || prepare

# The floor of ROOT from its trace: each "sh: " line run by the device's
# sh, with no work in between. "/bin/sh" by its path: the busybox shell
# would run a bare "sh" as its own applet, past the device's sh.
write_floor() {
  awk '/^sh: / {
      line = substr($0, 5)
      gsub(/\\n/, "\n", line)
      gsub(/'\''/, "'\''\\'\'''\''", line)
      print "/bin/sh -c '\''" line "'\'' >/dev/null 2>&1"
    }' "$1/var/dutsim/trace" >"$1/tmp/floor.sh"
}

commands() { grep '^sh: ' "$1/var/dutsim/trace"; }

echo "| model | command lines | platform calls | processes | tarnel -a -w ms | floor ms | ratio | load |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
for model in KR4410 PZ7720E MTX-2150 MTX-2450 KR8800; do
  root=$(fresh_root "$model")
  : >"$root/var/dutsim/trace"
  inside "$root" tarnel -a -w >/dev/null
  write_floor "$root"
  commands "$root" >"$root/tmp/tarnel.lines"
  calls=$(grep -c '^call: ' "$root/var/dutsim/trace" || true)
  # the floor must be the same command lines in the same order
  : >"$root/var/dutsim/trace"
  inside "$root" sh /tmp/floor.sh
  commands "$root" | cmp -s - "$root/tmp/tarnel.lines" || {
    echo "report_web: the floor of $model does not run tarnel's command lines" >&2
    exit 1
  }
  # every process tarnel and its children start; each pid beyond tarnel's
  processes=n/a
  if command -v strace >/dev/null; then
    TARNEL_WRAP="strace -f -qq -e trace=execve -o /tmp/bench.strace" \
      inside "$root" tarnel -a -w >/dev/null
    processes=$(($(awk '{ print $1 }' "$root/tmp/bench.strace" | sort -u | wc -l) - 1))
  fi
  before=$(load)
  timings "$root" "$rounds" tarnel -a -w -- sh /tmp/floor.sh >"$root/tmp/times"
  echo "| $model | $(wc -l <"$root/tmp/tarnel.lines") | $calls | $processes" \
    "| $(median 1 <"$root/tmp/times") | $(median 2 <"$root/tmp/times")" \
    "| $(paired_ratio <"$root/tmp/times") | $before-$(load) |"
done
echo
echo "Times are medians of $rounds runs each inside the device; the ratio is the"
echo "median of tarnel's time over the floor's in the same round. Goal: 1.05 or less."
