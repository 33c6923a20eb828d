#include "app/command_line.h"

#include <iostream>

#include "core/ui_texts.h"

namespace {

constexpr const char* kUsage =
    "BRX plans the cutting of bar stock.\n"
    "Usage: brx [CUT_FILE STOCK_FILE EXPORT_FILE MATERIAL KERF]\n"
    "       brx --help | --version\n";

}  // namespace

int HandlePrintingOptions(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--version") {
      std::cout << texts::kVersion << '\n';
      return 0;
    }
    if (argument == "--help") {
      std::cout << kUsage;
      return 0;
    }
  }
  if (arguments.empty()) {
    std::cout << kUsage;
    return 0;
  }
  return -1;
}
