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

static bool copyTree(const std::string &from, const std::string &to)
{
  if (!isDir(from)) {
    std::string data;

    return readFile(from, data) && writeFile(to, data);
  }
  if (!makeDirs(to)) return false;
  for (const auto &n : listDir(from))
    if (!copyTree(from + "/" + n, to + "/" + n)) return false;
  return true;
}

bool saveStoreToFlash()
{
  const std::string flash = "/var/dutsim/flash";
  // Only the holder of the store lock saves, so one name serves every save,
  // and what a holder killed mid-copy left there goes first.
  const std::string fresh = "/var/dutsim/.flash.new";

  removeTree(fresh);
  if (!copyTree("/var/dutsim/cms", fresh)) {
    removeTree(fresh);
    return false;
  }
  // Swap the whole folder in at once; the old copy ends up at fresh.
  if (isDir(flash)) {
    if (renameat2(AT_FDCWD, dutPath(fresh).c_str(), AT_FDCWD, dutPath(flash).c_str(),
                  RENAME_EXCHANGE)) {
      removeTree(fresh);
      return false;
    }
  } else if (rename(dutPath(fresh).c_str(), dutPath(flash).c_str())) {
    removeTree(fresh);
    return false;
  }
  removeTree(fresh);
  return true;
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

int faultOf(const char *function)
{
  std::string v;

  if (!readFile(std::string("/var/dutsim/fault/") + function, v)) return 0;
  int code = atoi(v.c_str());
  // A fault file without a number still makes the call fail.
  return code ? code : DUT_INTERNAL_ERROR;
}
