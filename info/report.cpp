// The hidden-information report, plain and as one web line.
#include "info.h"

void GetHiddenInfoData(BOOL) {}
void printWeb() {}
char *rmNewLine(char *word) { return word; }
int getWizardFirst() { return 0; }
