/* Wall time of commands inside the simulated gateway, whose busybox has no
 * clock finer than a second. The commands take turns, round after round,
 * so a change of machine load falls on all of them alike. One line per
 * run: the command's number (from 1) and its time in microseconds. Output
 * and errors of the commands go to /dev/null.
 *
 *   timeit ROUNDS CMD [ARG...] [-- CMD [ARG...]]...
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long now(void)
{
  struct timespec ts;

  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

/* Microseconds from the fork to the end of the command; -1 when it failed. */
static long long runOnce(char **argv)
{
  long long start = now();
  int status;
  pid_t pid = fork();

  if (pid < 0) return -1;
  if (pid == 0) {
    int null = open("/dev/null", O_RDWR);

    dup2(null, 1);
    dup2(null, 2);
    execvp(argv[0], argv);
    _exit(127);
  }
  if (waitpid(pid, &status, 0) != pid) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return -1;
  return now() - start;
}

int main(int argc, char **argv)
{
  char **cmds[16];
  int n = 0;

  if (argc < 3 || atoi(argv[1]) < 1) {
    fprintf(stderr, "usage: timeit ROUNDS CMD [ARG...] [-- CMD [ARG...]]...\n");
    return 2;
  }
  cmds[n++] = argv + 2;
  for (int i = 2; i < argc; i++) {
    if (strcmp(argv[i], "--")) continue;
    argv[i] = NULL;
    if (n == 16 || i + 1 == argc) return 2;
    cmds[n++] = argv + i + 1;
  }
  for (int round = atoi(argv[1]); round > 0; round--) {
    for (int c = 0; c < n; c++) {
      long long us = runOnce(cmds[c]);

      if (us < 0) {
        fprintf(stderr, "timeit: %s failed\n", cmds[c][0]);
        return 1;
      }
      printf("%d %lld\n", c + 1, us);
    }
  }
  return 0;
}
