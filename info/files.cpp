// The files tarnel opens itself (staging files, the button record, the
// language listing, the USB test files): regular files only.
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "info.h"

// path opened with flags when it is a regular file; a FIFO, a device node
// or a folder counts as not openable (nullptr). The open does not block (a
// FIFO without a writer would wait for ever) and what was opened is
// looked at, not the path, so nothing can be put in its place between the
// two; the stream then blocks as any file does. Created with 0666 less the
// umask, as fopen creates.
FILE *openRegular(const char *path, int flags, const char *mode)
{
  int fd = open(path, flags | O_NONBLOCK | O_NOCTTY, 0666);
  struct stat st;
  FILE *f = nullptr;

  if (fd < 0) return nullptr;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && fcntl(fd, F_SETFL, 0) == 0) f = fdopen(fd, mode);
  if (!f) close(fd);
  return f;
}

bool canRead(const char *path)
{
  FILE *in = openRegular(path, O_RDONLY, "r");

  if (!in) return false;
  fclose(in);
  return true;
}

bool getLine(FILE *in, std::string &line)
{
  char *buf = nullptr;
  size_t cap = 0;
  ssize_t n = getline(&buf, &cap, in);

  if (n > 0 && buf[n - 1] == '\n') n--;
  if (n >= 0) line.assign(buf, n);
  free(buf);
  return n >= 0;
}
