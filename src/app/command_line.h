#pragma once

#include <string>
#include <vector>

// Handles the options that print and exit (--help, --version). Returns the
// exit status when the program should end, or -1 to go on.
int HandlePrintingOptions(const std::vector<std::string>& arguments);
