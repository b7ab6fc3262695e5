// Device information: the report record, the shell helpers every folder
// reaches the device through, the value readers, the xDSL readers and the
// hidden-information report.
#ifndef TARNEL_INFO_H
#define TARNEL_INFO_H

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/platform.h"

typedef struct {
  char FW_Version[512];
  char SerialNumber[512];
  char SSID_2_4G[512];
  char PassPhrase_2_4G[512];
  char DataRate_2_4G[512];
  char Channel_2_4G[512];
  char Coexist_2_4G[512];
  char SSID_5G[512];
  char PassPhrase_5G[512];
  char DataRate_5G[512];
  char Channel_5G[512];
  char Coexist_5G[512];
  char WLAN_MAC_2_4G[512];
  char WLAN_MAC_5G[512];
  char LAN_MAC[512];
  char WAN_MAC_1[512];
  char WAN_MAC_2[512];
  char WAN_MAC_3[512];
  char PINCode[512];
  char Region[512];
  char Language[512];
  char Board_HW_ID[512];
  char Board_Model_ID[512];
  char WLAN_Status_2_4G[512];
  char WLAN_Status_5G[512];
  char BootLoader_Version[512];
  char ADSL_Code_Version[512];
  char WLAN_Driver_Version[512];
  char ADSL_DownStream_Rate[512];
  char ADSL_UpStream_Rate[512];
  char FW_Build_Time[512];
  char DECT_Version[512];
  char DECT_RFPI[512];
  char DECT_Handset[512];
  char FactoryMode[512];
  char StartPage[512];
  char WAN1_LinkSt[512];
  char WAN2_LinkSt[512];
  char WAN3_LinkSt[512];
} HIDDEN_INFO_ST;

extern HIDDEN_INFO_ST sHiddenInfo_st;
extern char tmpstr[512];
extern char cmd[512];
extern FILE *pp;
// The input stream of the staging reads and the language listing: a C
// stream, because only a descriptor opened without blocking and checked
// to be a regular file can become one (fdopen).
extern FILE *fp;
extern std::ofstream fpout;
extern std::string Wlanstatus;

// shell.cpp: the only way tarnel runs device commands.
void flushOut();
// At the start of main: SIGPIPE caught, output errors reported at exit.
void guardOutput();
int runCmd(const char *command);
int runf(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
// runf through a caller's buffer of size bytes instead of cmd.
int runIn(char *buf, size_t size, const char *fmt, ...) __attribute__((format(printf, 3, 4)));
bool readLine(const char *command, char *buf, int size);
bool firstLine(const char *command, char *field);
bool lastLineStarting(const char *command, const char *prefix, char *line, int size);
// The same two reads on an open stream.
void lineFrom(FILE *in, char *buf, int size);
bool lastLineFrom(FILE *in, const char *prefix, char *line, int size);

// files.cpp: path as a stream when it is a regular file (flags as for
// open, mode as for fdopen), else nullptr.
FILE *openRegular(const char *path, int flags, const char *mode);
// Whether path is a regular file that opens for reading.
bool canRead(const char *path);
// One line of in, however long, without its line end; false at the end.
bool getLine(FILE *in, std::string &line);

// readers.cpp
// How a value is printed: as stored (it ends with the command's own line
// end), with a line end added, or with a line end whatever the flag says.
// The reader's own "N/A" always ends its line (showField sees to it).
enum { AS_STORED, WITH_LINE_END, ALWAYS_WITH_LINE_END };
void printField(const char *field, int form, BOOL bPrintFlag);
// When a field counts as unreadable and becomes "N/A": never, when it is
// only a line end, when it is empty; erased flash (first byte 0xFF) too.
enum { NA_NEVER, NA_NEWLINE, NA_EMPTY, NA_NEWLINE_OR_ERASED, NA_EMPTY_OR_ERASED };
// The field's "N/A" rule, then its printing.
void showField(char *field, int na, int form, BOOL bPrintFlag);
void GetFW_Version(BOOL bPrintFlag);
void DoSysModelID(BOOL bPrintFlag);
void GetWLAN_Version(BOOL bPrintFlag);
void GetBuildTime(BOOL bPrintFlag);
void GetBootLoader_Version(BOOL bPrintFlag);
void GetRegion(BOOL bPrintFlag);
void GetWlanMAC(BOOL bPrintFlag);
void GetWlanMAC_5G(BOOL bPrintFlag);
void GetSSID_5G(BOOL bPrintFlag);
void GetPIN(BOOL bPrintFlag);
void Getpassphrase(BOOL bPrintFlag);
void Getpassphrase_5G(BOOL bPrintFlag);
void GetBoard_HW_ID(BOOL bPrintFlag);
void GetWAN_MAC_1(BOOL bPrintFlag);
void GetWAN_MAC_2(BOOL bPrintFlag);
void GetWAN_MAC_3(BOOL bPrintFlag);
void GetDECT_Version(BOOL bPrintFlag);
void GetDECT_Handset(BOOL bPrintFlag);
void GetFactoryMode(BOOL bPrintFlag);
void GetStartPage(BOOL bPrintFlag);
void GetWAN_2_LinkStatus(BOOL bPrintFlag);
void GetWAN_3_LinkStatus(BOOL bPrintFlag);
void GetLanMAC(BOOL bPrintFlag);
// lan.cpp: the flash's LAN MAC line in the form tarnel shows it.
bool formatBaseMAC(char *line, char *field);
void GetSSID(BOOL bPrintFlag);
void GetChannel(BOOL bPrintFlag);
void GetChannel_5G(BOOL bPrintFlag);
void GetCoexist(BOOL bPrintFlag);
void GetCoexist_5G(BOOL bPrintFlag);
void GetWlan24GStatus(BOOL bPrintFlag);
void GetWlan5GStatus(BOOL bPrintFlag);
void GetLanguage(BOOL bPrintFlag);
// language.cpp: the listing GetLanguage shows, from the listing file's text.
void showListing(FILE *in);
void GetWAN_1_LinkStatus(BOOL bPrintFlag);
void GetDECT_RFPI(BOOL bPrintFlag);
void GetWPS_PIN();

// xdsl.cpp
void GetADSL_LinkState(BOOL bPrintFlag);
void GetADSL_Downlink(BOOL bPrintFlag);
void GetADSL_Uplink(BOOL bPrintFlag);
void GetADSL_Version(BOOL bPrintFlag);

// report.cpp
void GetHiddenInfoData(BOOL bPrinfFlag);
void printWeb();
char *rmNewLine(char *word);
int getWizardFirst();

#endif
