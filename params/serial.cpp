// The modem serial number: read, commit from its staging file, clear.
#include <cstring>
#include <iostream>

#include "cli/cli.h"
#include "info/info.h"
#include "params.h"

static void commitSN()
{
  // an empty staging file stages an empty serial number
  bool staged = readStaged("/tmp/SN.txt", SN);

  // Neither staged nor given: an empty echo would erase the stored number.
  if (!staged && SN.empty()) return;
  runf("echo %s > /proc/nvram/ModemSerialNumber", SN.c_str());
}

static void readStoredSN(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.SerialNumber;

  firstLine("cat /proc/nvram/ModemSerialNumber", field);
  showField(field, NA_NEWLINE, AS_STORED, bPrintFlag);
}

// action 0 reads (and prints when bPrintFlag is 1), 1 commits, 2 clears.
void DoSysSN(int action, BOOL bPrintFlag)
{
  memset(tmpstr, 0, sizeof(tmpstr));
  memset(cmd, 0, sizeof(cmd));
  if (action == 1) commitSN();
  if (action == 2) runCmd("echo > /proc/nvram/ModemSerialNumber");
  if (action == 0) readStoredSN(bPrintFlag);
}

void GetSerialNumber(BOOL bPrintFlag)
{
  DoSysSN(0, bPrintFlag);
}
