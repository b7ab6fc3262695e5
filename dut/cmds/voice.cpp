// tarcli and asterisk: the voice configuration client and the Asterisk
// command line. Neither changes any state; a call of the shape the device
// accepts leaves its trace line, any other shape is refused, so a command
// line whose quoting split an argument shows in the trace by its absence.
#include <cstring>

#include "cmds.h"

// tarcli -v LEVEL -c COMMAND, the command one argument
int tarcli_main(int argc, char **argv)
{
  if (argc != 5 || strcmp(argv[1], "-v") || strcmp(argv[3], "-c"))
    return usage("tarcli -v LEVEL -c COMMAND");
  return traceonly_main(argc, argv);
}

// asterisk -rx COMMAND, the command to the running Asterisk one argument
int asterisk_main(int argc, char **argv)
{
  if (argc != 3 || strcmp(argv[1], "-rx")) return usage("asterisk -rx COMMAND");
  return traceonly_main(argc, argv);
}
