#include "jobfiles/job_file_support.h"

#include <locale>
#include <sstream>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/text_util.h"

namespace {

constexpr int kHintMilliseconds = 1000;
constexpr const char* kUnloadedTitle = "BRX";

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

FieldTexts CarriedForm(FieldTexts texts) {
  for (std::string& text : texts) text = ReadBack(text);
  return texts;
}

void ShowHint(Frontend& frontend, const std::string& text) {
  frontend.ShowStatus(text);
  frontend.PauseWithEvents(kHintMilliseconds);
  frontend.ShowStatus("");
}

void UnloadedCollector::Finish(UnloadedRecords& unloaded, const std::string& path,
                               const std::string& material, Frontend& frontend) {
  unloaded.path = path;
  unloaded.material = material;
  unloaded.records = std::move(records_);
  records_.clear();
  if (unloaded.records.empty()) return;
  frontend.ShowMessage(kUnloadedTitle,
                       path + ": " + std::to_string(unloaded.records.size()) + " row(s) of " +
                           material + " were not loaded; they are kept in the file unchanged.");
}

UnloadedMatcher::UnloadedMatcher(const UnloadedRecords& unloaded, const std::string& path,
                                 const std::string& material) {
  if (unloaded.path != path || unloaded.material != material) return;
  for (const FieldTexts& record : unloaded.records) ++remaining_[record];
}

bool UnloadedMatcher::Take(const FieldTexts& carried) {
  const auto found = remaining_.find(carried);
  if (found == remaining_.end()) return false;
  if (--found->second == 0) remaining_.erase(found);
  return true;
}
