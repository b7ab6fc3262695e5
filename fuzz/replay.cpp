// The fuzz targets without libFuzzer: every file named, and every file in
// the folders named, goes to the target's entry point once. It fails when
// an input crashes or is answered wrongly, and when there was no input at
// all (a wrong corpus path must not pass).
#include <algorithm>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "fuzz.h"

static bool isDir(const std::string &path)
{
  struct stat st;

  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The files of a folder, in name order so that runs are alike.
static std::vector<std::string> filesIn(const std::string &dir)
{
  std::vector<std::string> files;
  DIR *d = opendir(dir.c_str());

  if (!d) return files;
  while (struct dirent *e = readdir(d))
    if (e->d_name[0] != '.') files.push_back(dir + "/" + e->d_name);
  closedir(d);
  std::sort(files.begin(), files.end());
  return files;
}

static bool replay(const std::string &path)
{
  FILE *in = fopen(path.c_str(), "rb");
  std::vector<uint8_t> data;
  int c;

  if (!in) {
    perror(path.c_str());
    return false;
  }
  while ((c = fgetc(in)) != EOF) data.push_back((uint8_t)c);
  fclose(in);
  fprintf(stderr, "replay %s (%zu bytes)\n", path.c_str(), data.size());
  // never a null pointer, as libFuzzer hands over an empty input too
  data.reserve(1);
  LLVMFuzzerTestOneInput(data.data(), data.size());
  return true;
}

int main(int argc, char **argv)
{
  int replayed = 0;

  for (int i = 1; i < argc; i++) {
    std::vector<std::string> files = isDir(argv[i]) ? filesIn(argv[i]) : std::vector<std::string>{argv[i]};
    for (const auto &f : files) {
      if (!replay(f)) return 1;
      replayed++;
    }
  }
  fprintf(stderr, "%d inputs replayed\n", replayed);
  return replayed ? 0 : 1;
}
