#include "app/command_line.h"

#include <filesystem>

#include "core/text_util.h"
#include "optimizer/best_plan.h"

namespace {

constexpr std::string_view kOptimizerOption = "--optimizer=";

bool IsSeparator(char c) { return c == '\t' || c == ';' || c == ','; }

// Takes an --optimizer= option into the options; false when it is not one.
bool TakeOptimizerOption(const std::string& argument, ProgramOptions& options) {
  if (argument.rfind(kOptimizerOption, 0) != 0) return false;
  options.optimizer = argument.substr(kOptimizerOption.size());
  if (!OptimizerNamed(options.optimizer)) {
    options.action = ProgramOptions::Action::UsageError;
    options.error = "unknown optimizer \"" + options.optimizer +
                    "\": use --optimizer=classic or --optimizer=best";
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view text, int maxCount) {
  std::vector<std::string> arguments;
  bool inArgument = false;
  for (const char c : text) {
    if (IsSeparator(c)) {
      inArgument = false;
      continue;
    }
    if (!inArgument) {
      if (static_cast<int>(arguments.size()) >= maxCount) break;
      arguments.emplace_back();
      inArgument = true;
    }
    arguments.back() += c;
  }
  return arguments;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += '\t';
    text += arguments[i];
  }
  return text;
}

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions options;
  if (!arguments.empty() && (arguments.front() == "--pdf" || arguments.front() == "--import")) {
    options.action = arguments.front() == "--pdf" ? ProgramOptions::Action::WritePdf
                                                  : ProgramOptions::Action::Import;
    options.optionArguments.assign(arguments.begin() + 1, arguments.end());
    return options;
  }
  for (const std::string& argument : arguments) {
    if (argument == "--help") {
      options.action = ProgramOptions::Action::PrintHelp;
      return options;
    }
    if (argument == "--version") {
      options.action = ProgramOptions::Action::PrintVersion;
      return options;
    }
  }
  for (const std::string& argument : arguments) {
    if (argument == "--all-materials") {
      options.allMaterials = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (!TakeOptimizerOption(argument, options)) {
      options.jobArguments.push_back(argument);
    }
  }
  return options;
}

std::string StockFileArgument(const std::vector<std::string>& jobArguments) {
  if (jobArguments.size() != 1 || !ToUpperAscii(jobArguments[0]).ends_with(".STK")) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(jobArguments[0], error);
  return error ? jobArguments[0] : absolute.lexically_normal().string();
}

std::string UsageText() {
  return "BRX plans the cutting of bar stock.\n"
         "\n"
         "Usage:\n"
         "  brx                      start the program on the last job\n"
         "  brx FILE.stk             open the window on the job of that stock file\n"
         "  brx CUT STOCK EXPORT MATERIAL KERF\n"
         "                           cut one job without a window and end; the\n"
         "                           arguments may also be one text separated by\n"
         "                           ';' or ',' (files relative to the batch folder)\n"
         "  brx --optimizer=classic|best CUT STOCK EXPORT MATERIAL KERF\n"
         "                           the same with the optimizer chosen for this run\n"
         "  brx --all-materials CUT STOCK EXPORT KERF\n"
         "                           cut every material of the job that has cut\n"
         "                           rows, each with its own report and export, and\n"
         "                           write the job summary EXPORT_summary.bxl\n"
         "  brx --json ...           either job form, with the plan written to\n"
         "                           standard output as JSON\n"
         "  brx --pdf REPORT.bxl OUT.pdf [MATERIAL]\n"
         "                           write a report's printed pages to a PDF file\n"
         "  brx --import kiss|winest FILE\n"
         "                           import a KISS or WinEstimator cut list into a\n"
         "                           job beside it without a window\n"
         "  brx --help | --version\n";
}
