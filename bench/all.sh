#!/usr/bin/env bash
# Runs every benchmark and writes their figures, with the machine and the
# date, to BENCHMARKS.md. Benchmarks share the machine's cores with
# whatever else runs: the load is noted beside each timed figure, and the
# timed ones let their commands take turns so a change of load falls on
# both sides of a ratio.
#   bench/all.sh [ROUNDS]     (default 20 report runs per model)
set -eu
. "$(dirname "$(readlink -f "$0")")/lib.sh"
rounds=${1:-20}
md=$repo/BENCHMARKS.md
prepare

start_load=$(load)
report=$("$repo/bench/report_web.sh" "$rounds")
instructions=$("$repo/bench/instructions.sh")
footprint=$("$repo/bench/footprint.sh")
usb=$("$repo/bench/usb_honesty.sh" 64 9)
ssh=$("$repo/bench/ssh.sh" "$rounds")
station=$("$repo/bench/station.sh" 5)
end_load=$(load)

commit=$(git -C "$repo" rev-parse --short HEAD)
git -C "$repo" diff --quiet HEAD -- . ':!BENCHMARKS.md' || commit="$commit with local changes"

cat >"$md" <<EOF
# Benchmarks

Figures of the last run of \`bench/all.sh\`, which writes this file. Nothing
here is a test: the figures are read, not asserted.

- Date: $(date -u '+%Y-%m-%d %H:%M UTC')
- Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), Linux $(uname -r), $(. /etc/os-release && echo "$PRETTY_NAME")
- Compilers: $(g++ --version | head -n 1); $(arm-linux-gnueabihf-g++ --version | head -n 1)
- Load (one-minute average) at the start $start_load, at the end $end_load; the cores are shared with other work
- tarnel: commit $commit, size-conscious release build (\`-DCMAKE_BUILD_TYPE=MinSizeRel\`: -Os, every function and datum in a section of its own, \`--gc-sections\`)
- Inside the simulated gateway (\`tools/dut\`): the device's commands are \`dutsim\` and busybox, and the platform library is the simulated one, linked into tarnel

## Speed

### The hidden-information report against its floor

\`bench/report_web.sh\`: \`tarnel -a -w\` against a script that runs the very
same command lines, taken from the trace of a run of tarnel, through the
device's \`/bin/sh -c\` in the same order and does nothing else. Both run
inside the same device, taking turns; before timing, the script checks that
the floor's trace holds exactly tarnel's command lines. "processes" counts
every process tarnel's run starts (strace); each command line is one, since
the device's sh execs the command.

$report

Every command line costs a few milliseconds (the device's sh, busybox, the
device command), so the report's time is its command lines' time: what tarnel
adds is its own start and the platform calls, which the floor does not make.
The floor is not free either: it is a shell that forks a copy of itself for
every line, where tarnel's C library starts each command with a vfork-like
spawn, so on a loaded machine tarnel can come in under its floor (a ratio
below 1). A first floor written with a bare \`sh -c\` took only about 0.6 of
tarnel's time: busybox runs a bare \`sh\` as its own applet and so skipped
the device's \`/bin/sh\` (no trace line, no process); the floor calls it by
its path.

### Instructions of main

\`bench/instructions.sh\`: callgrind inside the simulated gateway counts the
inclusive instructions of \`main\`, so the start-up by the dynamic loader and
the child processes (callgrind does not follow them) are left out. With lazy
binding, the loader also resolves each library function on its first call
from inside \`main\`; binding every symbol at load (\`LD_BIND_NOW=1\`) leaves
that loader work out too, and that is the figure the goals are read against.
The simulated platform library is linked into tarnel and writes a trace line
and looks for a fault file on every call; its share is the inclusive cost of
the functions \`platform/platform.h\` declares, and "tarnel's own" is \`main\`
less that share.

$instructions

Before this measurement, building the help text (done on every run, whatever
the options) took about 70,000 instructions through string temporaries; it is
now written in place into one buffer and takes about 22,000. The start of any
C++ program is dominated by the dynamic loader binding the C++ library (the
whole \`tarnel -h\` process runs some 1.9 million instructions, \`main\`
23,000), which is why \`-h\` takes about twice the time of a C \`true\`.

## Footprint

\`bench/footprint.sh\`. Stripped sizes; "before" is the project's earlier
default build (RelWithDebInfo: -O2, no section garbage collection). The
static ARM binary carries the C and C++ libraries, which the gateway's
dynamic build shares with every other program. Peak memory is tarnel's own
(VmHWM at exit, read by a preloaded probe that is taken out of the
environment of tarnel's children), not its children's.

$footprint

## USB honesty

\`bench/usb_honesty.sh 64 9\`: tarnel's read and write rates (\`-t r\`,
\`-t w -v SIZE\`) against \`dd\` on the same stick file with the same 1024-byte
blocks, and against \`dd\` with the stream buffer's block size, in 9 rounds;
the writes against \`dd ... conv=fsync\`, since tarnel's write test counts
until its data is on the stick.
The simulated stick is a folder on the build machine's disk, and the page
cache is dropped before every read: single rounds swing with the disk and
with the other work on the machine, so the medians are the figures to read.
tarnel's 1024-byte blocks go through its stream's buffer, so it makes the
system calls of \`dd\` with the buffer's block size: that ratio says whether
the rate tarnel prints is the transfer alone (1.00: nothing else is in it);
against 1024-byte \`dd\`, which makes four times the calls, tarnel is faster.

\`\`\`
$usb
\`\`\`

## The unit over SSH

\`bench/ssh.sh $rounds\`: how long \`tools/dut serve\` takes until dropbear
accepts connections inside the device, and \`tarnel -a -w\` over an SSH
session held open by OpenSSH's ControlMaster against the same run under
\`tools/dut run\`, taking turns. Both are timed on the host around the whole
client command: the ssh client's start and a new channel on the one side,
the launcher's bash and bwrap's sandbox on the other.

$ssh

A serve is mostly bwrap's start and dropbear's; its readiness check
connects once, which dropbear logs as a connection closed before
authentication. Over SSH tarnel runs in the same device with the same
command lines, behind one \`sh -c\` line of the login shell; what differs is
what stands in front of it, and an ssh client on an open connection costs
about what the launcher's bash and bwrap cost.

## The station kit over SSH

\`bench/station.sh 5\`: \`tarnel-station program\` followed by
\`tarnel-station run-all\` on a simulated KR4410 over SSH, against the very same
runs under \`tools/dut run\` (the station's \`sim:\` transport: the same tarnel
command lines and fixture hooks in the same order), taking turns. Both are
timed on the host around the two station commands. Before each SSH round
the station's master connection is closed, so each round pays its
handshake; the handshakes are counted by the station's records and by the
logins in the unit's dropbear log.

$station

Over SSH each run is an ssh client on the one open connection; under
\`tools/dut run\` it is the launcher's bash and bwrap's sandbox: about the
same, so the station's runs cost what tarnel's own runs cost, and the one
handshake (about a tenth of a second) is shared by both commands.
EOF
echo "wrote $md"
