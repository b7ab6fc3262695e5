// State files, the trace and the injected faults of the simulated gateway.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dut.h"

std::string dutRoot;

std::string dutPath(const std::string &path)
{
  return dutRoot + path;
}

bool readFile(const std::string &path, std::string &out)
{
  FILE *in = fopen(dutPath(path).c_str(), "rb");
  char buf[4096];
  size_t n;

  out.clear();
  if (!in) return false;
  while ((n = fread(buf, 1, sizeof(buf), in)) > 0) out.append(buf, n);
  fclose(in);
  return true;
}

std::string readValue(const std::string &path, const std::string &dflt)
{
  std::string v;

  return readFile(path, v) ? v : dflt;
}

static bool writeAll(int fd, const char *p, size_t n)
{
  while (n) {
    ssize_t w = write(fd, p, n);

    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= w;
  }
  return true;
}

// The temporary name is made unique by mkstemp, not by the pid: every
// launcher run has a pid namespace of its own, so processes of two runs on
// one root often share a pid.
bool writeFile(const std::string &path, const std::string &data)
{
  std::string real = dutPath(path);
  std::string tmp = real + ".tmp.XXXXXX";
  int fd = mkstemp(&tmp[0]);

  if (fd < 0) return false;
  fchmod(fd, 0644);
  bool ok = writeAll(fd, data.data(), data.size());
  ok = close(fd) == 0 && ok;
  if (ok && rename(tmp.c_str(), real.c_str()) == 0) return true;
  unlink(tmp.c_str());
  return false;
}

bool isDir(const std::string &path)
{
  struct stat st;

  return stat(dutPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirs(const std::string &path)
{
  std::string real = dutPath(path);

  for (size_t i = 1; i <= real.size(); i++) {
    if (i < real.size() && real[i] != '/') continue;
    std::string part = real.substr(0, i);

    if (mkdir(part.c_str(), 0755) && errno != EEXIST) return false;
  }
  return true;
}

std::vector<std::string> listDir(const std::string &path)
{
  std::vector<std::string> names;
  DIR *d = opendir(dutPath(path).c_str());

  if (!d) return names;
  while (struct dirent *e = readdir(d))
    if (strcmp(e->d_name, ".") && strcmp(e->d_name, "..")) names.push_back(e->d_name);
  closedir(d);
  return names;
}

void removeTree(const std::string &path)
{
  struct stat st;

  if (lstat(dutPath(path).c_str(), &st)) return;
  if (S_ISDIR(st.st_mode)) {
    for (const auto &n : listDir(path)) removeTree(path + "/" + n);
    rmdir(dutPath(path).c_str());
  } else {
    unlink(dutPath(path).c_str());
  }
}

// The nvram variables change without the store lock (nvram set), so a
// copy meets another writer's temporary (NAME.tmp.XXXXXX of writeFile),
// which is no state, and files that are gone by the time it reads them.
static bool copyTree(const std::string &from, const std::string &to)
{
  if (!isDir(from)) {
    std::string data;

    if (!readFile(from, data)) return errno == ENOENT;
    return writeFile(to, data);
  }
  if (!makeDirs(to)) return false;
  for (const auto &n : listDir(from)) {
    size_t tmp = n.rfind(".tmp.");

    if (tmp != std::string::npos && n.size() - tmp == 11) continue;
    if (!copyTree(from + "/" + n, to + "/" + n)) return false;
  }
  return true;
}

// to holds a copy of from, swapped in at once: a reader sees the old copy or
// the new one, never a mix. Only the holder of the store lock saves, so one
// scratch name (fresh) serves every save, and what a holder killed mid-copy
// left there goes first.
static bool swapInCopy(const std::string &from, const std::string &to, const std::string &fresh)
{
  removeTree(fresh);
  if (!copyTree(from, fresh)) {
    removeTree(fresh);
    return false;
  }
  // the old copy ends up at fresh
  if (isDir(to)) {
    if (renameat2(AT_FDCWD, dutPath(fresh).c_str(), AT_FDCWD, dutPath(to).c_str(),
                  RENAME_EXCHANGE)) {
      removeTree(fresh);
      return false;
    }
  } else if (rename(dutPath(fresh).c_str(), dutPath(to).c_str())) {
    removeTree(fresh);
    return false;
  }
  removeTree(fresh);
  return true;
}

bool saveStoreToFlash()
{
  return swapInCopy("/var/dutsim/cms", "/var/dutsim/flash", "/var/dutsim/.flash.new") &&
         swapInCopy("/var/dutsim/nvram", "/var/dutsim/flash-nvram", "/var/dutsim/.flash.new");
}

bool loadStoreFromFlash()
{
  return swapInCopy("/var/dutsim/flash", "/var/dutsim/cms", "/var/dutsim/.cms.new") &&
         swapInCopy("/var/dutsim/flash-nvram", "/var/dutsim/nvram", "/var/dutsim/.cms.new");
}

void trace(const std::string &line)
{
  std::string out;

  for (char c : line) {
    if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  out += '\n';
  // One write per line with O_APPEND, so lines of processes running at the
  // same time never mix.
  int fd = open(dutPath("/var/dutsim/trace").c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
  if (fd < 0) return;
  writeAll(fd, out.data(), out.size());
  close(fd);
}

bool registerBitsSet(const std::string &file, unsigned long mask)
{
  return (strtoul(readValue(file, "0").c_str(), nullptr, 16) & mask) == mask;
}

std::string faultValue(const std::string &name)
{
  std::string v = readValue("/var/dutsim/fault/" + name);

  while (!v.empty() && v.back() == '\n') v.pop_back();
  return v;
}

int faultOf(const char *function)
{
  std::string v;

  if (!readFile(std::string("/var/dutsim/fault/") + function, v)) return 0;
  int code = atoi(v.c_str());
  // A fault file without a number still makes the call fail.
  return code ? code : DUT_INTERNAL_ERROR;
}
