#include <string>
#include <vector>

#include "app/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = HandlePrintingOptions(arguments);
  return status < 0 ? 0 : status;
}
