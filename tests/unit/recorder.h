// Operations that only note that they ran, for the dispatch-order tests.
#ifndef TESTS_RECORDER_H
#define TESTS_RECORDER_H

#include <string>
#include <vector>

extern std::vector<std::string> calls;
// What hwset() answers: 1 ends the run as a rejected pass-phrase does.
extern int hwsetResult;

#endif
