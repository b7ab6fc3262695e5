#!/usr/bin/env bash
# Worst-case durations, for station time-outs: each option's wall time on a
# simulated KR4410, with the store lock free and with the lock held by
# another process (the device's cmslock) for the whole run, so that every
# store connection the option opens waits out its timeout. The connections
# and their timeouts come from the trace of the free run. Prints a Markdown
# table; it passes or fails nothing.
#   bench/durations.sh [ROUNDS]     free-lock rounds (default 5); held: one
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-5}
[ -x "$tools/timeit" ] || prepare

options=("-h" "-s" "-g SN" "-n" "-i -S SN0001" "-c" "-e" "-r" "-f" "-x" "-a" "-a -w"
  "-D 0" "-o" "-M x" "-A enable" "-E on -F B" "-k enable" "-k disable")

# "caller:timeout" of each lock the trace's run asked for, one per line
locks() {
  sed -n 's/^call: cmsLck_acquireLockWithTimeoutTraced(\(.*\), \(.*\))$/\1:\2/p' "$1/var/dutsim/trace"
}

# The held-lock run: cmslock takes the lock first, tarnel runs once.
held() {  # ROOT OPTION...
  local root=$1
  shift
  : >"$root/var/dutsim/trace"
  inside "$root" sh -c '
    cmslock 60000 & holder=$!
    i=0
    until grep -q "^cms: lock cmslock held" /var/dutsim/trace || [ $i -ge 500 ]; do
      i=$((i + 1)); usleep 10000
    done
    '"$tools"'/timeit 1 tarnel "$@"
    kill $holder' sh "$@"
}

echo "| options | store connections (lock timeout) | lock free, ms | lock held, ms | timeouts, s |"
echo "|---|---|---:|---:|---:|"
for opt in "${options[@]}"; do
  root=$(fresh_root KR4410)
  free=$(timings "$root" "$rounds" tarnel $opt | median 1)
  : >"$root/var/dutsim/trace"
  inside "$root" tarnel $opt >/dev/null 2>&1 || true
  conns=$(locks "$root" | awk -F: '!($0 in n) { order[++m] = $0 } { n[$0]++ }
    END {
      for (i = 1; i <= m; i++)
        printf "%s%s%s (%g s)", (i > 1 ? ", " : ""), (n[order[i]] > 1 ? n[order[i]] " × " : ""),
          substr(order[i], 1, index(order[i], ":") - 1), substr(order[i], index(order[i], ":") + 1) / 1000
    }')
  sum=$(locks "$root" | awk -F: '{ t += $2 } END { printf "%g", t / 1000 }')
  taken=$(held "$root" $opt | median 1)
  echo "| \`tarnel $opt\` | ${conns:-none} | $free | $taken | $sum |"
done
echo
echo "Load at the end: $(load)."
