#pragma once

// What a save of the stock or cut file must keep, checked by the hostile file
// tests and by the fuzzer alike.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/text_util.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/job_file_support.h"
#include "jobfiles/record_io.h"
#include "jobfiles/stock_file.h"

// A line end in a field without a comma or a quote is written unquoted and
// splits the record: the one case the properties leave out.
inline bool WritesUnreadably(const FieldTexts& texts) {
  return std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
    return text.find_first_of("\r\n") != text.npos && text.find_first_of(",\"") == text.npos;
  });
}

// The records after the header, split by whether the current material owns
// them, each as it stands once carried over.
struct SplitRecords {
  SplitRecords(std::string_view text, int materialField, const std::string& material) {
    RecordReader reader(text);
    for (bool header = true; const std::optional<Record> record = reader.Next(); header = false) {
      FieldTexts texts = record->Texts();
      unreadable = unreadable || WritesUnreadably(texts);
      if (header) continue;
      const bool isCurrent = IsOfMaterial(texts[materialField], material);
      if (materialField == 1) texts[1] = TrimSpaces(texts[1]);
      (isCurrent ? current : others).push_back(CarriedForm(texts));
    }
  }

  std::vector<FieldTexts> current;
  std::vector<FieldTexts> others;
  bool unreadable = false;
};

// The loaded rows as the texts a second read must give again.
inline std::vector<FieldTexts> StockRows(const JobState& job) {
  std::vector<FieldTexts> rows;
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& item = job.stock[i];
    rows.push_back({item.material, ReadBack(item.bin), std::to_string(item.quantity),
                    ShortestDecimal(item.length)});
  }
  return rows;
}

inline std::vector<FieldTexts> CutRows(const JobState& job) {
  std::vector<FieldTexts> rows;
  for (int i = 0; i < job.cutCount; ++i) {
    const CutItem& item = job.cuts[i];
    rows.push_back({ReadBack(item.mark), item.material, std::to_string(item.quantity),
                    ShortestDecimal(item.length)});
  }
  return rows;
}

struct FileKind {
  const char* name;
  int materialField;
  std::string JobState::*path;
  UnloadedRecords JobState::*unloaded;
  bool (*read)(JobState&, Frontend&);
  bool (*write)(JobState&, Frontend&);
  std::vector<FieldTexts> (*rows)(const JobState&);
};

inline const FileKind kStockFile{
    "stock",        0,        &JobState::stock_filename, &JobState::stockUnloaded, ReadStockFile,
    WriteStockFile, StockRows};
inline const FileKind kCutFile{
    "cut", 1, &JobState::cut_filename, &JobState::cutUnloaded, ReadCutFile, WriteCutFile, CutRows};

// Reads `text` as the file of this kind under `path` for the job's material,
// saves, and reads again. Returns the property the save broke, or "": every
// other material's record stays, in order; every row the read did not load
// stays; after a read that loaded every row, a second read gives the same rows.
inline std::string SaveProblem(JobState& job, Frontend& frontend, std::string_view text,
                               const FileKind& kind, const std::string& path) {
  job.*kind.path = path;
  job.*kind.unloaded = {};
  WriteFileSafely(path, text);
  if (!kind.read(job, frontend)) return "";
  std::vector<FieldTexts> unloaded = (job.*kind.unloaded).records;
  kind.write(job, frontend);
  const std::vector<FieldTexts> first = kind.rows(job);  // bins filled in by the save

  const SplitRecords before(text, kind.materialField, job.matl);
  SplitRecords after(ReadWholeFile(path), kind.materialField, job.matl);
  if (before.unreadable) return "";
  if (after.others != before.others) return "other materials' records changed";
  std::sort(after.current.begin(), after.current.end());
  std::sort(unloaded.begin(), unloaded.end());
  if (!std::includes(after.current.begin(), after.current.end(), unloaded.begin(),
                     unloaded.end())) {
    return "rows that were not loaded were dropped";
  }
  if (!unloaded.empty()) return "";
  if (!kind.read(job, frontend)) return "the second read failed";
  return kind.rows(job) == first ? "" : "the second read gave other rows";
}
