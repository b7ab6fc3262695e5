#!/usr/bin/env bash
# The station kit's shared connection: `tarnel-station program` followed by
# `tarnel-station run-all` on a simulated KR4410 over SSH, against the very
# same runs (the same tarnel command lines, the same fixture hooks, in the
# same order) under `tools/dut run`, which is the station's own sim:
# transport. The two take turns, ROUNDS times each; before each SSH round
# the master connection is closed, so every round pays its handshake. The
# handshakes are counted twice: by the station's records and by the unit's
# dropbear log. Prints a Markdown table; it passes or fails nothing.
#   bench/station.sh [ROUNDS]        (default 5)
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-5}
[ -x "$TARNEL_BUILD/dut/dutsim" ] || prepare
cmake --build "$TARNEL_BUILD" --parallel 2 --target tarnel-station >/dev/null
station=$TARNEL_BUILD/station/tarnel-station
root=$(fresh_root KR4410)
work=$out/station
mkdir -p "$work"
trap '"$dut" stop "$root"' EXIT

"$dut" run "$root" -- usbplug -s 4000000 1
printf '%s\n' LAN_MAC=00:1a:2b:44:10:99 SN=KR44109999 PINCode=12345670 SSID_2.4G=Station-24 \
  SSID_5G=Station-5G passphrase_2.4G=Factory2024.01 passphrase_5G=Factory5G_2024 WPS_PIN=51849382 \
  >"$work/values.txt"
served=$("$dut" serve "$root")
port=$(echo "$served" | sed -n 's/^port //p')
identity=$(echo "$served" | sed -n 's/^identity //p')
known=$(echo "$served" | sed -n 's/^known_hosts //p')
ssh_unit=(--unit "ssh:root@127.0.0.1:$port" --identity "$identity" --known-hosts "$known" --ssh-persist 60)
hooks=(--led-hook "$dut ledstate $root" --press-hook "$dut btnpress $root")

now_us() { echo "${EPOCHREALTIME/./}"; }

# The station's SSH sockets in a folder of the bench's own, so that closing
# them touches no other user's connection.
export XDG_RUNTIME_DIR=$work/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# flow UNIT-ARGS...: program, then run-all; the microseconds of both, and
# the handshakes their records name
flow() {
  local t0 t1
  t0=$(now_us)
  "$station" "$@" --record "$work/program.json" program "$work/values.txt"
  "$station" "$@" "${hooks[@]}" --record "$work/run-all.json" run-all
  t1=$(now_us)
  echo "$((t1 - t0)) $(sed -n 's/.*"handshakes": \([0-9]*\).*/\1/p' "$work/program.json" "$work/run-all.json" |
    awk '{ n += $1 } END { print n + 0 }')"
}

close_masters() {
  local sock
  for sock in "$XDG_RUNTIME_DIR"/tarnel-station/*; do
    [ -S "$sock" ] && ssh -o ControlPath="$sock" -O exit root@127.0.0.1 2>/dev/null || true
  done
}

dropbear_logins() {
  cat "$root"/var/dutsim/run/*.log 2>/dev/null | grep -c 'auth succeeded' || true
}

before=$(load)
: >"$work/times"
logins0=$(dropbear_logins)
for i in $(seq "$rounds"); do
  close_masters
  read -r ssh_us shakes < <(flow "${ssh_unit[@]}")
  read -r sim_us _ < <(flow --unit "sim:$root")
  printf '1 %s\n2 %s\nh %s\n' "$ssh_us" "$sim_us" "$shakes" >>"$work/times"
done
close_masters
logins=$(($(dropbear_logins) - logins0))
runs=$(cat "$work/program.json" "$work/run-all.json" | grep -c '"command":')
hook_runs=$(grep -c '"hook":' "$work/run-all.json" || true)

echo "| measure | median ms | goal |"
echo "|---|---:|---|"
echo "| program + run-all over SSH ($runs runs on the unit, $hook_runs hooks) | $(median 1 <"$work/times") | |"
echo "| the same runs under tools/dut run (sim:) | $(median 2 <"$work/times") | |"
echo "| ratio, round by round (median) | $(paired_ratio <"$work/times") | 1.2 or less |"
echo "| SSH handshakes per round: station records | $(awk '$1 == "h" { print $2 }' "$work/times" | sort -u | paste -sd/) | 1 |"
echo "| SSH logins in dropbear's log, all $rounds rounds | $logins | $rounds |"
echo
echo "Load (one-minute average) $before before, $(load) after; $rounds rounds each."
