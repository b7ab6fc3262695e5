// Staging one factory parameter in its file under /tmp.
#include "params.h"

std::string presharekeyvalue;
int hwset() { return 0; }
char checkValue(char) { return 0; }
