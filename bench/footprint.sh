#!/usr/bin/env bash
# Footprint: the stripped size of tarnel as the project built it before
# (RelWithDebInfo, no section garbage collection) and in the size-conscious
# release build (MinSizeRel: -Os, sections collected), for the host
# (x86-64, dynamic) and the gateway (ARM, static); the host build also
# against the simulated platform as a shared library, the way a vendor
# build links its platform libraries. Then the peak memory of tarnel inside
# the simulated gateway: its own, not its children's.
# Prints Markdown; it passes or fails nothing.
#   bench/footprint.sh
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
[ -x "$tools/timeit" ] || prepare
arm=(-DCMAKE_TOOLCHAIN_FILE=$repo/cmake/arm-linux-gnueabihf.cmake)
before=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_GC_SECTIONS=OFF)
after=(-DCMAKE_BUILD_TYPE=MinSizeRel)

# The simulated platform as a shared library, for the vendor-like link.
g++ -std=c++11 -Os -shared -fPIC -D_FILE_OFFSET_BITS=64 -I"$repo" -I"$repo/dut" \
  -o "$tools/libtarnel_platform.so" "$repo"/dut/platform/*.cpp "$repo"/dut/common/*.cpp
build "$out/host-before" "${before[@]}" -- tarnel
build "$out/host-shared" "${after[@]}" -DTARNEL_PLATFORM_HEADER="$repo/dut/platform/sdk.h" \
  -DTARNEL_PLATFORM_LIBS="$tools/libtarnel_platform.so" -- tarnel
build "$out/arm-before" "${arm[@]}" "${before[@]}" -- tarnel
build "$out/arm" "${arm[@]}" "${after[@]}" -- tarnel

# stripped STRIP BINARY: its size in bytes once stripped
stripped() {
  "$1" -o "$tools/stripped" "$2"
  stat -c %s "$tools/stripped"
}

kib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'; }

row() {  # WHAT STRIP BINARY [GOAL-KIB]
  local b
  b=$(stripped "$2" "$3")
  echo "| $1 | $b | $(kib "$b") | ${4:+$4} | ${4:+$(verdict "$(kib "$b")" "$4")} |"
}

echo "| tarnel, stripped | bytes | KiB | goal KiB | |"
echo "|---|---:|---:|---:|---|"
row "x86-64 dynamic, before (RelWithDebInfo)" strip "$out/host-before/tarnel"
row "x86-64 dynamic, size-conscious release" strip "$TARNEL_BUILD/tarnel" 96
row "x86-64 dynamic, release, platform as a shared library" strip "$out/host-shared/tarnel" 96
row "ARM static, before (RelWithDebInfo)" arm-linux-gnueabihf-strip "$out/arm-before/tarnel"
row "ARM static, size-conscious release" arm-linux-gnueabihf-strip "$out/arm/tarnel"
# the rest of the static binary is the C and C++ libraries
own=$(cd "$out/arm" && arm-linux-gnueabihf-size -t libtarnel_cli.a libtarnel_ops.a \
  CMakeFiles/tarnel_main.dir/cli/main.cpp.o | awk 'END { print $1 + $2 }')
echo "| of it, tarnel's own objects (ARM code and data, before linking) | $own | $(kib "$own") | | |"

# memory ROOT CMD...: kB of VmHWM, RssAnon and RssFile of CMD at its exit
memory() {
  local root=$1
  shift
  rm -f "$root/tmp/peak.txt"
  inside "$root" env LD_PRELOAD="$tools/peakrss.so" PEAKRSS_OUT=/tmp/peak.txt "$@" >/dev/null
  awk '{ v[$1] = $2 } END { print v["VmHWM:"], v["RssAnon:"], v["RssFile:"] }' "$root/tmp/peak.txt"
}

root=$(fresh_root KR4410)
echo
echo "| inside the simulated KR4410 | peak resident kB (VmHWM) | private kB at exit (RssAnon) | mapped from files kB at exit (RssFile) | goal kB | |"
echo "|---|---:|---:|---:|---:|---|"
for c in "tarnel -a -w" "tarnel -h" "$tools/true"; do
  read -r hwm anon file < <(memory "$root" $c)
  goal=
  [ "$c" = "tarnel -a -w" ] && goal=4096
  name=$c
  [ "$c" = "$tools/true" ] && name="C true (dynamic, C library only)"
  echo "| $name | $hwm | $anon | $file | $goal | ${goal:+$(verdict "$hwm" "$goal")} |"
done
