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

// The texts as they read back once written.
inline FieldTexts CarriedForm(FieldTexts texts) {
  for (std::string& text : texts) text = ReadBack(text);
  return texts;
}

// The records after the header: the current material's rows, each as it
// stands once carried over, with its place; every other line as a save must
// keep it (a line that does not hold four fields byte for byte).
struct SplitRecords {
  SplitRecords(std::string_view text, int materialField, const std::string& material) {
    RecordReader reader(text);
    reader.Next();  // the header
    while (const std::optional<Record> record = reader.Next()) {
      if (!record->HoldsFourFields()) {
        others.emplace_back(record->line);
        continue;
      }
      FieldTexts texts = record->Texts();
      if (materialField == 1) texts[1] = TrimSpaces(texts[1]);
      if (IsOfMaterial(record->Text(materialField), material)) {
        current.push_back(CarriedForm(texts));
        places.push_back(record->place);
      } else {
        others.push_back(RecordLine(CarriedForm(texts)));
      }
    }
  }

  std::vector<FieldTexts> current;
  std::vector<int> places;
  std::vector<std::string> others;
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
// other material's record and every line that does not hold four fields
// stays, in order; the rows the read did not load follow the rows written, in
// file order; a second read loads the same rows and passes over as many.
inline std::string SaveProblem(JobState& job, Frontend& frontend, std::string_view text,
                               const FileKind& kind, const std::string& path) {
  job.*kind.path = path;
  job.*kind.unloaded = {};
  WriteFileSafely(path, text);
  if (!kind.read(job, frontend)) return "";
  const std::vector<int> notLoaded = (job.*kind.unloaded).places;
  if (!kind.write(job, frontend)) return "the save failed";
  const std::vector<FieldTexts> first = kind.rows(job);  // bins filled in by the save

  const SplitRecords before(text, kind.materialField, job.matl);
  const SplitRecords after(ReadWholeFile(path), kind.materialField, job.matl);
  if (after.others != before.others) return "other lines changed";
  std::vector<FieldTexts> unloaded;
  for (std::size_t i = 0; i < before.places.size(); ++i) {
    if (std::binary_search(notLoaded.begin(), notLoaded.end(), before.places[i])) {
      unloaded.push_back(before.current[i]);
    }
  }
  if (after.current.size() < unloaded.size() ||
      !std::equal(unloaded.begin(), unloaded.end(), after.current.end() - unloaded.size())) {
    return "rows that were not loaded were dropped or moved";
  }
  if (!kind.read(job, frontend)) return "the second read failed";
  if (kind.rows(job) != first) return "the second read gave other rows";
  return (job.*kind.unloaded).places.size() == notLoaded.size() ? ""
                                                                : "the second read loaded more";
}
