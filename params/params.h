// Factory parameters: staging, commit to flash, read-back, clear and reset.
#ifndef TARNEL_PARAMS_H
#define TARNEL_PARAMS_H

#include <string>

#include "platform/platform.h"

// staging.cpp
extern std::string presharekeyvalue;
// Stages one parameter; 1 when a rejected pass-phrase ends the run.
int hwset();
char checkValue(char num);

// commit.cpp
// The first line of a staging file into value; false when it cannot be
// opened.
bool readStaged(const char *file, std::string &value);
void commit();
void setPassPhrase();
void setPassPhrase5g();
void setWPS_AP_Pin_Cdoe();
int saveToFlash();

// serial.cpp
void DoSysSN(int action, BOOL bPrintFlag);
// DoSysSN's read in the shape of a value reader, for the reader tables.
void GetSerialNumber(BOOL bPrintFlag);

// readback.cpp
void hwget();
void hwshow();
void show_product_Info();

// clear.cpp
void hwclear();
void reset_to_default();

#endif
