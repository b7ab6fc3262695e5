// Puts the front end back to a fresh process's state, so one test binary
// can parse many command lines.
#ifndef TESTS_CLI_STATE_H
#define TESTS_CLI_STATE_H

#include <string>
#include <vector>

void resetCli();
// Every option value, in a fixed order.
std::vector<std::string> optionValues();
// Parses words as a command line (argv[0] "tarnel" is added); returns what
// parseOptions returned.
int parseWords(const std::vector<std::string> &words);

#endif
