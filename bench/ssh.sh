#!/usr/bin/env bash
# The unit's SSH server, as a station meets it: how long `tools/dut serve`
# takes to return with the server accepting connections (the first serve of
# a root also makes its keys), and `tarnel -a -w` over an open SSH session
# (OpenSSH's ControlMaster, the client's own start included) against the
# same run under `tools/dut run`, taking turns, ROUNDS times each. Times are
# taken on the host, around the whole client command.
# Prints a Markdown table; it passes or fails nothing.
#   bench/ssh.sh [ROUNDS]        (default 20)
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-20}
[ -x "$TARNEL_BUILD/dut/dutsim" ] || prepare
root=$(fresh_root KR4410)
ctl=$root/var/dutsim/run/bench.ctl
trap '"$dut" stop "$root"' EXIT

now_us() { echo "${EPOCHREALTIME/./}"; }

# serve_us: the microseconds of one serve
serve_us() {
  local t0
  t0=$(now_us)
  "$dut" serve "$root" >/dev/null
  echo $(($(now_us) - t0))
}

first=$(serve_us)
: >"$root/tmp/serve"
for i in $(seq "$rounds"); do
  "$dut" stop "$root"
  echo "1 $(serve_us)" >>"$root/tmp/serve"
done
port=$(sed -n 's/^port //p' "$root/var/dutsim/run/serve")
ssh=(ssh -F /dev/null -o BatchMode=yes -i "$root/var/dutsim/ssh/id_ed25519"
  -o "UserKnownHostsFile=$root/var/dutsim/ssh/known_hosts" -o ControlPath="$ctl" -p "$port")
"${ssh[@]}" -o ControlMaster=yes -fN root@127.0.0.1

# both ways print the same report
[ "$("${ssh[@]}" root@127.0.0.1 tarnel -a -w)" = "$("$dut" run "$root" -- tarnel -a -w)" ] || {
  echo "ssh: tarnel -a -w over SSH and under run differ" >&2
  exit 1
}
before=$(load)
: >"$root/tmp/times"
for i in $(seq "$rounds"); do
  t0=$(now_us)
  "${ssh[@]}" root@127.0.0.1 tarnel -a -w >/dev/null
  t1=$(now_us)
  "$dut" run "$root" -- tarnel -a -w >/dev/null
  t2=$(now_us)
  printf '1 %s\n2 %s\n' $((t1 - t0)) $((t2 - t1)) >>"$root/tmp/times"
done
"${ssh[@]}" -O exit root@127.0.0.1 2>/dev/null

echo "| measure | median ms | slowest ms | goal |"
echo "|---|---:|---:|---|"
echo "| first serve of a root (keys made) | $(echo "1 $first" | median 1) | | 1000 ms |"
echo "| serve, keys kept ($rounds runs) | $(median 1 <"$root/tmp/serve")" \
  "| $(sort -k2 -n "$root/tmp/serve" | tail -n 1 | awk '{ printf "%.2f", $2 / 1000 }') | 1000 ms |"
echo "| tarnel -a -w over the open SSH session | $(median 1 <"$root/tmp/times") | | |"
echo "| tarnel -a -w under tools/dut run | $(median 2 <"$root/tmp/times") | | |"
echo
echo "Ratio of the SSH run over the run under \`tools/dut run\`, round by round:" \
  "median $(paired_ratio <"$root/tmp/times") (goal: 1.2 or less); load $before-$(load)."
