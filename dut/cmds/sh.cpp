// The device's /bin/sh: every "sh -c CMD" (system, popen) goes to the trace
// as it was passed, then busybox sh runs it.
#include <cstring>
#include <unistd.h>

#include "cmds.h"

int sh_main(int argc, char **argv)
{
  if (argc > 2 && !strcmp(argv[1], "-c")) {
    // newer C libraries pass "sh -c -- CMD"
    int at = (argc > 3 && !strcmp(argv[2], "--")) ? 3 : 2;

    trace(std::string("sh: ") + argv[at]);
  }
  argv[0] = (char *)"sh";
  execv("/bin/busybox", argv);
  return 127;
}
