# What the benchmarks share; sourced, not run. The figures come from the
# size-conscious release build that a gateway would get (build-bench/host),
# run inside simulated gateways under build-bench/roots.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$repo/build-bench
tools=$out/tools
dut=$repo/tools/dut
export TARNEL_BUILD=$out/host

# build DIR [CMAKE-ARGS...] TARGET...: configure once, build what changed.
# Targets follow a lone "--".
build() {
  local dir=$1 args=() targets=()
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  targets=("$@")
  cmake -S "$repo" -B "$dir" -G Ninja "${args[@]}" >/dev/null
  cmake --build "$dir" --parallel 2 --target "${targets[@]}" >/dev/null
}

# The release build with the device commands, and the helpers that run
# inside the device: a clock (its busybox has none finer than a second),
# the memory probe and a C "true" to compare a start with.
prepare() {
  build "$TARNEL_BUILD" -DCMAKE_BUILD_TYPE=MinSizeRel -- tarnel dutsim
  mkdir -p "$tools" "$out/roots"
  cc -O2 -static -o "$tools/timeit" "$repo/bench/timeit.c"
  cc -O2 -shared -fPIC -o "$tools/peakrss.so" "$repo/bench/peakrss.c"
  printf 'int main(void) { return 0; }\n' >"$tools/true.c"
  cc -O2 -o "$tools/true" "$tools/true.c"
}

# A fresh device root of MODEL under build-bench/roots; prints its path.
fresh_root() {
  local root=$out/roots/$1
  "$dut" init "$root" --model "$1" >/dev/null
  echo "$root"
}

# inside ROOT CMD...: runs CMD in the device with the helpers at hand.
inside() {
  local root=$1
  shift
  DUT_BIND="$tools ${DUT_BIND-}" "$dut" run "$root" -- "$@"
}

# timings ROOT ROUNDS CMD [-- CMD]...: timeit's lines, "N MICROSECONDS".
timings() {
  local root=$1 rounds=$2
  shift 2
  inside "$root" "$tools/timeit" "$rounds" "$@"
}

# median N: the middle of the microseconds of command N in timeit's lines
# on stdin, in milliseconds.
median() {
  awk -v c="$1" '$1 == c { v[n++] = $2 }
    END {
      for (i = 1; i < n; i++) for (j = i; j > 0 && v[j - 1] > v[j]; j--) { x = v[j]; v[j] = v[j - 1]; v[j - 1] = x }
      m = n % 2 ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
      printf "%.2f", m / 1000
    }'
}

# paired_ratio: the median of command 1's time over command 2's, round by
# round, from timeit's lines on stdin (the two ran one after the other, so
# a change of load falls on both).
paired_ratio() {
  awk '$1 == 1 { a = $2 } $1 == 2 { r[n++] = a / $2 }
    END {
      for (i = 1; i < n; i++) for (j = i; j > 0 && r[j - 1] > r[j]; j--) { x = r[j]; r[j] = r[j - 1]; r[j - 1] = x }
      printf "%.3f", n % 2 ? r[int(n / 2)] : (r[n / 2 - 1] + r[n / 2]) / 2
    }'
}

# The machine's load over the last minute, from /proc/loadavg.
load() {
  cut -d' ' -f1 /proc/loadavg
}

# verdict VALUE GOAL: "met" when VALUE is below GOAL (or equal), else "missed".
verdict() {
  awk -v v="$1" -v g="$2" 'BEGIN { print (v <= g) ? "met" : "missed" }'
}
