// libFuzzer target for ParseFields: the first byte modulo 16 is the maximum
// number of fields, the rest is the text. There are as many fields as runs
// of non-separators, up to the maximum; fields are never empty and hold no
// separator; joined by commas they split into the same fields again; and when
// the maximum was not reached, together they are the text without its
// separators.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/field_split.h"

namespace {

constexpr std::string_view kSeparators("\t;,'\x16", 5);

void Require(bool condition) {
  if (!condition) abort();
}

bool IsSeparator(char c) { return kSeparators.find(c) != std::string_view::npos; }

int RunsOfNonSeparators(std::string_view text) {
  int runs = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsSeparator(text[i]) && (i == 0 || IsSeparator(text[i - 1]))) ++runs;
  }
  return runs;
}

std::string WithoutSeparators(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (!IsSeparator(c)) kept += c;
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int maxFields = data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> fields = ParseFields(text, maxFields);
  Require(!fields.empty() && fields[0].empty());
  const int count = static_cast<int>(fields.size()) - 1;
  Require(count == std::min(RunsOfNonSeparators(text), maxFields));
  std::string joined;
  std::string together;
  for (int i = 1; i <= count; ++i) {
    Require(!fields[i].empty() && fields[i].find_first_of(kSeparators) == std::string::npos);
    joined += (i > 1 ? "," : "") + fields[i];
    together += fields[i];
  }
  Require(ParseFields(joined, maxFields) == fields);
  if (count < maxFields) Require(together == WithoutSeparators(text));
  return 0;
}
