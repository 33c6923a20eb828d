#pragma once

#include <string>
#include <vector>

// Starts the program with its window on the last job (or the one the job
// arguments name) and runs it until the window closes. Returns the exit status.
int RunInteractive(int& argc, char** argv, const std::vector<std::string>& jobArguments);
