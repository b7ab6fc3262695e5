// WLAN link rates looked up from the radios' configuration.
#include "store.h"

const char *bandwithStr[3] = {"20MHz", "40MHz", "80MHz"};
int get_nmode_dataRate() { return 0; }
int get_nmode_dataRate5g() { return 0; }
float dataRate_Map_MCSIDX(int, int) { return 0; }
int dataRate_Map_MCSIDX5g(int, int) { return 0; }
void GetDataRate(BOOL) {}
void GetDataRate_5G(BOOL) {}
