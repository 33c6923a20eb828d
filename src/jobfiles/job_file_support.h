#pragma once

#include <optional>
#include <string>
#include <string_view>
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

// True when the number a field holds is not finite: beyond the range of a
// double ("1e400") or spelled as an infinity or NaN ("inf", "nan"). The
// leading-number rule reads such text as 0.
bool IsNonFiniteNumber(std::string_view text);

// Shows a hint in the status bar for one second, handling events meanwhile,
// then clears it.
void ShowHint(Frontend& frontend, const std::string& text);

// The old content of a job file a write replaces, or nullopt when there is
// none. Throws when it cannot be read to its end, so that the file is never
// replaced by one that lacks the rest. A name that exists but is no regular
// file (a folder, a FIFO, a link loop) is refused, not taken as missing.
std::optional<std::string> OldContent(const std::string& path);

// Collects what a read passed over: lines that do not hold four fields and
// the current material's rows it did not load. Finish records the places of
// those rows for later writes and tells the user once per read, unless the
// job already knew the file's content (reading back what it just wrote).
class UnloadedCollector {
 public:
  void AddMalformed() { ++malformed_; }
  void Add(int place) { places_.push_back(place); }
  void Finish(UnloadedRecords& notes, const std::string& path, const std::string& material,
              std::string_view content, Frontend& frontend);

 private:
  int malformed_ = 0;
  std::vector<int> places_;
};

// During a write: which of the old file's current-material records the last
// read of that file did not load, so they are carried over unchanged.
class UnloadedMatcher {
 public:
  UnloadedMatcher(const UnloadedRecords& notes, const std::string& path,
                  const std::string& material);
  bool IsUnloaded(int place) const;

 private:
  std::vector<int> places_;
};

// After a write of `content`: the not-loaded rows now stand at `places`.
void NoteWrite(UnloadedRecords& notes, const std::string& path, const std::string& material,
               std::vector<int> places, std::string_view content);
