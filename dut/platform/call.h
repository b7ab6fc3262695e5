// Every platform call tarnel makes is in the trace, with the arguments that
// say what was asked; a fault file makes it fail with its number, a delay
// file makes it slow.
#ifndef DUT_CALL_H
#define DUT_CALL_H

#include "common/dut.h"

// Logs "call: FUNCTION(ARGS)", sleeps the milliseconds of
// /var/dutsim/delay/FUNCTION and returns the injected fault, or 0.
int call(const char *function, const std::string &args = "");
// Whether handle is the handle of messaging opened and not yet cleaned up.
bool messagingOpen(void *handle);

#endif
