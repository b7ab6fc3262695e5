#!/usr/bin/env bash
# Is the throughput tarnel reports the transfer alone? In one run, on one
# simulated stick, tarnel's read and write rates next to those of dd on the
# same file with the same 1024-byte blocks, and the ratio tarnel / dd.
# The page cache is dropped before every read where the machine allows it
# (root on a machine whose /proc/sys is writable); the writes are compared
# with dd's conv=fsync, which, like tarnel, counts the time until the data
# is on the stick. Prints figures; not a test.
#
#   bench/usb_honesty.sh [MB] [ROUNDS]    test.bin of MB million bytes and a
#                                         write of MB thousand blocks (64, 5)
set -eu
repo=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
mb=${1:-64}
rounds=${2:-5}
dut=$repo/tools/dut
top=$(mktemp -d /tmp/usb-bench-XXXXXX)
root=$top/root
trap 'rm -rf "$top"' EXIT

"$dut" init "$root" >/dev/null
"$dut" run "$root" -- usbplug -s $((mb * 1000000)) 1
bin=$root/mnt/var/usb/test.bin
out=$root/mnt/var/usb/write.txt

dropped=no
drop() {
  sync
  if echo 3 2>/dev/null >/proc/sys/vm/drop_caches; then dropped=yes; fi
}

# tarnel's figure from its "... Speed: X MB/s" line
tarnel_rate() {
  "$dut" run "$root" -- tarnel "$@" | sed -n 's/.*Speed: \([0-9.]*\) MB\/s/\1/p'
}

# dd's seconds from its last line ("N bytes ... copied, S s, ...")
dd_seconds() {
  dd "$@" 2>&1 >/dev/null | sed -n 's/.* copied, \([0-9.e-]*\) s,.*/\1/p'
}

# The stream's buffer, the size of each read and write tarnel's 1024-byte
# blocks turn into: dd with that block size shows what buffering adds.
buf=$(stat -c %o "$bin")

# tarnel's units: reads in millions of bytes per second, writes in
# thousands of 1024-byte blocks per second
rate() {  # AMOUNT UNIT SECONDS
  awk -v a="$1" -v u="$2" -v s="$3" 'BEGIN { printf "%.2f", a / u / s }'
}

row() {  # ROUND DIRECTION TARNEL DD-1024 DD-BUF
  echo "$2 $3 $4 $5" >>"$top/rows"
  awk -v r="$1" -v d="$2" -v t="$3" -v a="$4" -v b="$5" 'BEGIN {
    printf "%-6s %-6s %10s %10s %7.2f %10s %7.2f\n", r, d, t, a, t / a, b, t / b }'
}

bytes=$((mb * 1000000))
blocks=$((mb * 1000))
printf 'test.bin %d bytes, write %d blocks of 1024, stream buffer %d, caches dropped: ' \
  $bytes $blocks "$buf"
drop
echo "$dropped"
printf '%-6s %-6s %10s %10s %7s %10s %7s\n' round test tarnel dd-1024 ratio "dd-$buf" ratio
for round in $(seq "$rounds"); do
  drop
  t=$(tarnel_rate -t r)
  drop
  a=$(rate $bytes 1e6 "$(dd_seconds if="$bin" of=/dev/null bs=1024)")
  drop
  b=$(rate $bytes 1e6 "$(dd_seconds if="$bin" of=/dev/null bs="$buf")")
  row "$round" read "$t" "$a" "$b"
  t=$(tarnel_rate -t w -v "$mb")
  a=$(rate $blocks 1000 "$(dd_seconds if=/dev/zero of="$out" bs=1024 count=$blocks conv=fsync)")
  b=$(rate $((blocks * 1024)) 1024000 \
    "$(dd_seconds if=/dev/zero of="$out" bs="$buf" count=$((blocks * 1024 / buf)) conv=fsync)")
  row "$round" write "$t" "$a" "$b"
done
# the middle of the rounds: one slow or cached round does not sway it
for test in read write; do
  awk -v d=$test '$1 == d { t[n] = $2; a[n] = $2 / $3; b[n] = $2 / $4; n++ }
    function mid(v,   i, j, x) {
      for (i = 1; i < n; i++) for (j = i; j > 0 && v[j - 1] > v[j]; j--) { x = v[j]; v[j] = v[j - 1]; v[j - 1] = x }
      return n % 2 ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
    }
    END { printf "%-6s %-6s %10.2f %10s %7.2f %10s %7.2f\n", "median", d, mid(t), "", mid(a), "", mid(b) }' "$top/rows"
done
echo "rates in MB/s as tarnel prints them; ratio = tarnel / dd (1.00: the same); dd writes with conv=fsync"
