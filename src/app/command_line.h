#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits the command-line text into at most `maxCount` arguments. Tab, ";"
// and "," separate arguments; runs of separators count as one, no argument is
// empty, blanks stay part of an argument and quotes mean nothing.
std::vector<std::string> SplitCommandLine(std::string_view text, int maxCount);

// The program's arguments joined with a tab, as one command-line text.
std::string JoinArguments(const std::vector<std::string>& arguments);

// What the options before the job arguments ask for.
struct ProgramOptions {
  enum class Action { RunJob, PrintHelp, PrintVersion, WritePdf, Import, UsageError };
  Action action = Action::RunJob;
  std::vector<std::string> jobArguments;     // everything that is not an option
  std::vector<std::string> optionArguments;  // the arguments after --pdf or --import
  std::string optimizer;                     // the --optimizer= name, or empty
  bool allMaterials = false;                 // --all-materials: every material of the job
  bool json = false;                         // --json: the plan on standard output
  std::string error;                         // why the options are a UsageError
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// The stock file that one job argument ending in ".stk" names (as a file
// manager passes it), made absolute; empty for any other job arguments.
std::string StockFileArgument(const std::vector<std::string>& jobArguments);

// The usage text that --help prints.
std::string UsageText();
