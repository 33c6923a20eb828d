#include "jobfiles/job_file_support.h"

#include <algorithm>
#include <functional>
#include <locale>
#include <sstream>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/text_util.h"

namespace {

constexpr int kHintMilliseconds = 1000;
constexpr const char* kNoticeTitle = "BRX";
constexpr const char* kMalformedNotice =
    " line(s) do not hold four fields; they were not read and are kept in the file unchanged.";
constexpr const char* kUnloadedNotice = " were not loaded; they are kept in the file unchanged.";

// Never 0, which stands for "nothing known".
std::size_t Digest(std::string_view content) {
  return std::max<std::size_t>(std::hash<std::string_view>{}(content), 1);
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  return text.size() >= word.size() && ToUpperAscii(text.substr(0, word.size())) == word;
}

}  // namespace

bool IsOfMaterial(const std::string& materialField, const std::string& material) {
  return !materialField.empty() && TrimSpaces(materialField) == material;
}

std::optional<double> NumericValue(const std::string& text) {
  // A classic-locale stream: unlike from_chars it takes a leading "+", and
  // unlike LeadingNumber it tells an overflow (failbit) from an underflow.
  std::istringstream in(TrimBlanks(text));
  in.imbue(std::locale::classic());
  double value = 0.0;
  in >> value;
  if (in.fail()) return std::nullopt;
  return value;
}

bool IsNonFiniteNumber(std::string_view text) {
  // The text without the blanks that the leading-number rule skips.
  std::string digits;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') digits += c;
  }
  std::string_view rest = digits;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) rest.remove_prefix(1);
  if (StartsWithWord(rest, "INF") || StartsWithWord(rest, "NAN")) return true;
  if (LeadingNumber(digits) != 0.0) return false;
  // A zero reading: an overflow unless the number's digits are all zeros or
  // it underflows, which the stream reads as a finite value.
  const std::size_t end = digits.find_first_not_of("+-0123456789.eE");
  return digits.find_first_of("123456789") < end && !NumericValue(digits.substr(0, end));
}

void ShowHint(Frontend& frontend, const std::string& text) {
  frontend.ShowStatus(text);
  frontend.PauseWithEvents(kHintMilliseconds);
  frontend.ShowStatus("");
}

std::optional<std::string> OldContent(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  return ReadWholeFile(path);
}

void UnloadedCollector::Finish(UnloadedRecords& notes, const std::string& path,
                               const std::string& material, std::string_view content,
                               Frontend& frontend) {
  std::sort(places_.begin(), places_.end());
  const std::size_t digest = Digest(content);
  const bool known = notes.path == path && notes.material == material && notes.digest == digest;
  notes = UnloadedRecords{path, material, std::move(places_), digest};
  places_.clear();
  if (known) return;
  if (malformed_ > 0) {
    frontend.ShowMessage(kNoticeTitle, path + ": " + std::to_string(malformed_) + kMalformedNotice);
  }
  if (!notes.places.empty()) {
    frontend.ShowMessage(kNoticeTitle, path + ": " + std::to_string(notes.places.size()) +
                                           " row(s) of " + material + kUnloadedNotice);
  }
}

UnloadedMatcher::UnloadedMatcher(const UnloadedRecords& notes, const std::string& path,
                                 const std::string& material) {
  if (notes.path == path && notes.material == material) places_ = notes.places;
}

bool UnloadedMatcher::IsUnloaded(int place) const {
  return std::binary_search(places_.begin(), places_.end(), place);
}

void NoteWrite(UnloadedRecords& notes, const std::string& path, const std::string& material,
               std::vector<int> places, std::string_view content) {
  // Only a write that follows a read of the same file and material continues
  // what that read told the user; otherwise the next read tells again.
  const bool continuing = notes.path == path && notes.material == material && notes.digest != 0;
  notes = UnloadedRecords{path, material, std::move(places), continuing ? Digest(content) : 0};
}
