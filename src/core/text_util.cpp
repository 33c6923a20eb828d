#include "core/text_util.h"

namespace {

std::string TrimChars(std::string_view text, std::string_view chars) {
  const std::size_t first = text.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(chars);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string TrimSpaces(std::string_view text) { return TrimChars(text, " "); }

std::string TrimBlanks(std::string_view text) { return TrimChars(text, " \t"); }

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}
