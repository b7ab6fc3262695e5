// Runs killed at random instants, as by a power cut or a station that gives
// up: a staging file and the flash copy hold the old value or the new one
// afterwards, never a cut one.
//
// The loop runs inside the device, so a try costs one tarnel start and not
// a whole launcher run: tarnel is started in a session of its own and the
// session is killed after a busy wait of a random number of steps. The
// range of that number follows the runs: it grows when a kill came before
// the end and shrinks when the run had finished, so some four kills in ten
// land while tarnel runs, spread over the whole run, whatever the speed of
// the machine (native, sanitizers, emulation).
#include <cstdio>
#include <map>
#include <sstream>

#include "dut_fixture.h"

static const char *const killLoop = R"sh(# MODE MOST-TRIES MOST-SECONDS
mode=$1 most=$2 until=$(( $(date +%s) + $3 ))
k=/var/killtest
hi=64 tries=0 killed=0 old=0 new=0 bad=0 debris=0
report() { echo "bad try $tries (kill after $n steps, run status $st): $*"; bad=$((bad + 1)); }

# The run in a session of its own, killed with all it started. Only status
# 137 means killed: the sanitizers' leak check cannot start for most of the
# loop's pids (the device links only its first 256 into /proc) and
# ends such a run with status 1 after its work.
try() {
  n=$(( (RANDOM * 32768 + RANDOM) % hi ))
  setsid tarnel "$@" &
  pid=$!
  j=0
  while [ $j -lt $n ]; do j=$((j + 1)); done
  kill -9 -$pid 2>/dev/null || kill -9 $pid 2>/dev/null
  wait $pid
  st=$?
  tries=$((tries + 1))
  if [ $st -ne 137 ]; then
    hi=$((hi - hi / 4))
    [ $hi -lt 2 ] && hi=2
  else
    killed=$((killed + 1))
    hi=$((hi + hi / 2 + 1))
  fi
}

# Outcome of a try: the old value, the new one, or a fault. A run that
# ended by itself must have left the new one.
judge() {
  if [ "$1" = new ]; then
    new=$((new + 1))
  elif [ "$1" = old ] && [ $st -eq 137 ]; then
    old=$((old + 1))
  else
    report "$2"
  fi
}

if [ $mode = stage ]; then
  f=/tmp/SSID_2_4G.txt
  A=$(cat $k/a)
  B=$(cat $k/b)
  while [ $tries -lt $most ] && [ $(date +%s) -lt $until ]; do
    if cmp -s $f $k/a; then was=a now=b value=$B; else was=b now=a value=$A; fi
    try -i -I "$value"
    if cmp -s $f $k/$now; then judge new
    elif cmp -s $f $k/$was; then judge old
    else judge cut "the staging file holds $(wc -c < $f) bytes"; cp $k/a $f
    fi
    for t in $f.??????; do
      [ -e "$t" ] && debris=$((debris + 1)) && rm -f "$t"
    done
  done
else
  files="TempPool1Cfg/wizard_first"
  for r in 1 2; do
    for v in MCS name operatingChannelBandwidth wl11Mode; do files="$files WifiRadio/$r/$v"; done
  done
  for p in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do files="$files Gen/part$p"; done
  nfiles=$(echo $files | wc -w)
  pad=$(head -c 5000 /dev/zero | tr '\0' p)
  sums() { (cd $1 && cat $files 2>/dev/null | md5sum; find . -type f | wc -l); }
  staged=$(cat /tmp/*.txt | md5sum)
  saved=$(sums /var/dutsim/flash)
  g=0
  while [ $tries -lt $most ] && [ $(date +%s) -lt $until ]; do
    g=$((g + 1))
    for p in $files; do
      case $p in Gen/*) printf '%s %s' $g "$pad" > /var/dutsim/cms/$p;; esac
    done
    want=$(sums /var/dutsim/cms)
    try -c
    got=$(sums /var/dutsim/flash)
    if [ "$got" = "$want" ]; then judge new; saved=$want
    elif [ "$got" = "$saved" ]; then judge old
    else judge cut "the flash copy is neither generation $g nor the one before"; saved=$got
    fi
    [ "$(cat /tmp/*.txt | md5sum)" = "$staged" ] || report "a staging file changed"
  done
fi
echo "tries=$tries killed=$killed old=$old new=$new bad=$bad debris=$debris steps=$hi"
)sh";

// The counts of the loop's last line.
static std::map<std::string, int> counts(const std::string &out)
{
  std::map<std::string, int> c;
  Lines lines = splitLines(out);
  std::istringstream last(lines.empty() ? "" : lines.back());
  std::string pair;

  while (last >> pair)
    if (pair.find('=') != std::string::npos)
      c[pair.substr(0, pair.find('='))] = atoi(pair.substr(pair.find('=') + 1).c_str());
  return c;
}

class Interrupted : public Dut {
protected:
  // The kill loop in MODE, at most 400 tries or the seconds given.
  std::map<std::string, int> killLoopRun(const char *mode, int seconds)
  {
    put("/var/killtest/loop.sh", killLoop);
    Result r = run({"sh", "/var/killtest/loop.sh", mode, "400", std::to_string(seconds)});
    std::map<std::string, int> c = counts(r.out);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(c["bad"], 0) << r.out;
    EXPECT_GT(c["tries"], 0) << r.out << r.err;
    printf("%s: %s\n", mode, splitLines(r.out).back().c_str());
    for (const auto &kv : c) RecordProperty(kv.first, kv.second);
    return c;
  }
};

// A long value staged again and again, alternating with another one of a
// different length; a cut value would be neither.
TEST_F(Interrupted, StagingKilledAtAnyInstant)
{
  const std::string a(100000, 'a'), b(70000, 'b');

  put("/var/killtest/a", a);
  put("/var/killtest/b", b);
  put("/tmp/SSID_2_4G.txt", a);
  killLoopRun("stage", 8);
  std::string staged = file("/tmp/SSID_2_4G.txt");
  EXPECT_TRUE(staged == a || staged == b) << staged.size() << " bytes";
}

// Commits killed at random instants, each after the store has changed: 20
// objects of 5 kB make the copy long enough to be hit. The staging files are
// only read.
TEST_F(Interrupted, CommitKilledAtAnyInstant)
{
  put("/tmp/SN.txt", "SN0001");
  put("/tmp/SSID_2_4G.txt", std::string(10240, 's'));
  for (int p = 1; p <= 20; p++) put("/var/dutsim/cms/Gen/part" + std::to_string(p), "0");
  ASSERT_EQ(tarnel({"-c"}).status, 0);
  killLoopRun("commit", 12);
  Result r = tarnel({"-c"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(exists("/var/dutsim/.flash.new"));
}
