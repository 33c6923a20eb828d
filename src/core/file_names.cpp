#include "core/file_names.h"

#include <cstdlib>

#include "core/text_util.h"

std::string CleanFileName(std::string_view text) {
  std::string cleaned(text);
  for (char& c : cleaned) {
    if (c == '/' || c == '|' || c == '?' || c == '*' || c == '"') c = '_';
  }
  return TrimSpaces(cleaned);
}

namespace {

std::size_t ExtensionPoint(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t point = path.rfind('.');
  if (point == std::string_view::npos) return std::string_view::npos;
  if (slash != std::string_view::npos && point < slash) return std::string_view::npos;
  return point;
}

}  // namespace

std::string BaseName(std::string_view path) {
  const std::size_t point = ExtensionPoint(path);
  return std::string(point == std::string_view::npos ? path : path.substr(0, point));
}

std::string WithExtension(std::string_view path, std::string_view extension) {
  return BaseName(path) + std::string(extension);
}

std::string MaterialReportFileName(std::string_view reportPath, std::string_view material) {
  return BaseName(reportPath) + "_" + CleanFileName(material) + ".bxl";
}

std::string JobSummaryFileName(std::string_view reportPath) {
  return BaseName(reportPath) + "_summary.bxl";
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  return std::string(folder) + "/" + std::string(name);
}

std::string UserDataFolder() {
  const char* profile = std::getenv("USERPROFILE");
  if (profile != nullptr && *profile != '\0') return JoinPath(profile, "BRX");
  const char* home = std::getenv("HOME");
  return JoinPath(home != nullptr ? home : "", "BRX");
}
