#include "import/field_split.h"

namespace {

bool IsFieldSeparator(char c) {
  return c == '\t' || c == ';' || c == ',' || c == '\'' || c == '\x16';
}

}  // namespace

std::vector<std::string> ParseFields(std::string_view text, int maxFields) {
  std::vector<std::string> fields(1);
  bool inField = false;
  for (const char c : text) {
    if (IsFieldSeparator(c)) {
      inField = false;
      continue;
    }
    if (!inField) {
      if (static_cast<int>(fields.size()) - 1 >= maxFields) break;
      fields.emplace_back();
      inField = true;
    }
    fields.back() += c;
  }
  return fields;
}
