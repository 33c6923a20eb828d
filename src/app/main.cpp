#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/ui_texts.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ProgramOptions options = ParseProgramOptions(arguments);
  switch (options.action) {
    case ProgramOptions::Action::PrintVersion: std::cout << texts::kVersion << '\n'; return 0;
    case ProgramOptions::Action::PrintHelp: std::cout << UsageText(); return 0;
    default: std::cout << UsageText(); return 0;
  }
}
