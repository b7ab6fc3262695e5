// The report record and the scratch streams the readers share.
#include "info.h"

HIDDEN_INFO_ST sHiddenInfo_st;
FILE *fp;
std::ofstream fpout;
std::string Wlanstatus;
