#!/usr/bin/env bash
# Figures for the hidden-information report on the simulated gateway: how
# long "tarnel -a -w" takes and how many processes it starts, per model.
# The launcher's own start-up (bwrap) is measured alone and taken off.
# Prints figures only; it passes or fails nothing.
#   bench/report_web.sh [RUNS]        (default 20 runs per model)
set -eu
repo=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
runs=${1:-20}
cd "$repo"
cmake -S . -B build -G Ninja -DTARNEL_TESTS=ON >/dev/null
cmake --build build --parallel 2 --target tarnel dutsim >/dev/null
export TARNEL_BUILD=$repo/build
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT

# mean wall time of RUNS runs of a command inside the root, in microseconds
mean_us() {
  local root=$1 start end i
  shift
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do tools/dut run "$root" -- "$@" >/dev/null; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000))
}

printf '%-9s %12s %12s %10s %10s %15s\n' model "total ms" "tarnel ms" commands processes "platform calls"
for model in KR4410 PZ7720E MTX-2150 MTX-2450 KR8800; do
  root=$top/$model
  tools/dut init "$root" --model "$model" >/dev/null
  tools/dut run "$root" -- tarnel -a -w >/dev/null
  launcher=$(mean_us "$root" true)
  total=$(mean_us "$root" tarnel -a -w)
  : >"$root/var/dutsim/trace"
  tools/dut run "$root" -- tarnel -a -w >/dev/null
  commands=$(grep -c '^sh: ' "$root/var/dutsim/trace" || true)
  calls=$(grep -c '^call: ' "$root/var/dutsim/trace" || true)
  # every process tarnel and its children start, counted by strace when the
  # host has it; each pid beyond tarnel's own is one process
  processes=n/a
  if command -v strace >/dev/null; then
    TARNEL_WRAP="strace -f -qq -e trace=execve -o /tmp/bench.strace" \
      tools/dut run "$root" -- tarnel -a -w >/dev/null
    processes=$(($(awk '{print $1}' "$root/tmp/bench.strace" | sort -u | wc -l) - 1))
  fi
  printf '%-9s %12s %12s %10s %10s %15s\n' "$model" \
    "$(awk -v t="$total" 'BEGIN{printf "%.1f", t/1000}')" \
    "$(awk -v t="$total" -v l="$launcher" 'BEGIN{printf "%.1f", (t-l)/1000}')" \
    "$commands" "$processes" "$calls"
done
