#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "jobfiles/record_io.h"

struct JobState;
struct UnloadedRecords;
class Frontend;

// What the stock and cut file readers and writers share.

// True when a record's material field names the current material: the field
// is not empty and equals the material once blanks are trimmed from its ends.
// Readers load and writers replace exactly the records this accepts.
bool IsOfMaterial(const std::string& materialField, const std::string& material);

// The value of a text that passed the numeric test (IsNumericText); nullopt
// when it lies beyond the range of a double.
std::optional<double> NumericValue(const std::string& text);

// The texts a writer carries over, each as it reads back from the written
// line. Unloaded records are recognised by this form from one write to the
// next, however often they were carried over.
FieldTexts CarriedForm(FieldTexts texts);

// Shows a hint in the status bar for one second, handling events meanwhile,
// then clears it.
void ShowHint(Frontend& frontend, const std::string& text);

// Collects the current material's records that a read did not load, then
// records them in the job and tells the user once.
class UnloadedCollector {
 public:
  void Add(const FieldTexts& carried) { records_.push_back(carried); }
  // Keeps the records for later writes of `path` while `material` is current
  // (none: the material was read completely) and, when there are some, shows
  // "<path>: <n> row(s) of <material> were not loaded; ...".
  void Finish(UnloadedRecords& unloaded, const std::string& path, const std::string& material,
              Frontend& frontend);

 private:
  std::vector<FieldTexts> records_;
};

// During a write: the current material's records in the old file that the
// last read of that file did not load, so they are carried over unchanged.
class UnloadedMatcher {
 public:
  UnloadedMatcher(const UnloadedRecords& unloaded, const std::string& path,
                  const std::string& material);
  // True, once per record held, when the carried form is one of them.
  bool Take(const FieldTexts& carried);

 private:
  std::map<FieldTexts, int> remaining_;
};
