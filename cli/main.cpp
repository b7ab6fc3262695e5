// tarnel: factory and engineering test tool of the gateway.
#include "cli.h"
#include "info/info.h"

int main(int argc, char **argv)
{
  guardOutput();
  tmpstr[0] = 0;
  buildHelp();
  if (parseOptions(argc, argv)) return 0;
  return dispatch();
}
