/* Preloaded into one program, writes its own memory figures at exit: the
 * peak resident set (VmHWM) and, at the end, how much of what is resident
 * is private (RssAnon: heap, stack, written data) and how much is mapped
 * from files (RssFile: the program and its shared libraries, shared with
 * every other process that maps them). The preload is taken out of the
 * environment at start, so the program's children run without it and
 * their memory is not counted, as it would be by wait4's figures.
 *
 *   LD_PRELOAD=peakrss.so PEAKRSS_OUT=FILE PROGRAM ...
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char out[256];

__attribute__((constructor)) static void start(void)
{
  const char *path = getenv("PEAKRSS_OUT");

  snprintf(out, sizeof(out), "%s", path ? path : "/dev/stderr");
  unsetenv("LD_PRELOAD");
  unsetenv("PEAKRSS_OUT");
}

__attribute__((destructor)) static void report(void)
{
  FILE *status = fopen("/proc/self/status", "r");
  FILE *to = fopen(out, "w");
  char line[256];

  if (status && to)
    while (fgets(line, sizeof(line), status))
      if (!strncmp(line, "VmHWM:", 6) || !strncmp(line, "RssAnon:", 8) ||
          !strncmp(line, "RssFile:", 8))
        fputs(line, to);
  if (status) fclose(status);
  if (to) fclose(to);
}
