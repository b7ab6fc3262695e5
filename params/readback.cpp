// Reading parameters back: one by name, all of them, the product sheet.
#include "params.h"

void hwget() {}
void hwshow() {}
void show_product_Info() {}
