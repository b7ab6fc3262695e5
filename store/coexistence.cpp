// Switching and showing each radio's coexistence.
#include "store.h"

void SetCoexist(const std::string &) {}
void SetCoexist_5G(const std::string &) {}
void ShowCoexist() {}
