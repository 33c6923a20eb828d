// libFuzzer target for the stock and cut file readers (built and run by
// scripts/fuzz.sh). Any input must read without a crash, a hang or a
// sanitizer report, and:
// - records written and read again come back as ReadBack says;
// - a save keeps every record of another material, in order, and every row
//   the read did not load; after a read that loaded every row, a second read
//   gives the same rows again.
// Fields holding a line end are left out of the properties: they are written
// without quotes and so do not read back as one field.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
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
#include "support/recording_frontend.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasLineEnd(const FieldTexts& texts) {
  for (const std::string& text : texts) {
    if (text.find_first_of("\r\n") != std::string::npos) return true;
  }
  return false;
}

std::vector<FieldTexts> AllRecords(std::string_view text) {
  std::vector<FieldTexts> records;
  RecordReader reader(text);
  while (const std::optional<Record> record = reader.Next()) records.push_back(record->Texts());
  return records;
}

void CheckRecordsReadBack(std::string_view text) {
  std::vector<FieldTexts> written;
  std::string lines;
  for (const FieldTexts& texts : AllRecords(text)) {
    if (HasLineEnd(texts)) continue;
    written.push_back(texts);
    lines += RecordLine(texts);
  }
  const std::vector<FieldTexts> read = AllRecords(lines);
  Require(read.size() == written.size());
  for (std::size_t i = 0; i < read.size(); ++i) Require(read[i] == CarriedForm(written[i]));
}

// The records after the header, split by whether the current material owns
// them, each as it stands once carried over; and whether any record, the
// header included, holds a line end in a field.
struct Split {
  std::vector<FieldTexts> current;
  std::vector<FieldTexts> others;
  bool lineEnds = false;  // some field holds a line end
};

Split SplitRecords(std::string_view text, int materialField, const std::string& material) {
  Split split;
  std::vector<FieldTexts> records = AllRecords(text);
  for (const FieldTexts& texts : records) split.lineEnds = split.lineEnds || HasLineEnd(texts);
  for (std::size_t i = 1; i < records.size(); ++i) {
    FieldTexts& texts = records[i];
    const bool current = IsOfMaterial(texts[materialField], material);
    if (materialField == 1) texts[1] = TrimSpaces(texts[1]);
    (current ? split.current : split.others).push_back(CarriedForm(texts));
  }
  return split;
}

bool ContainsAll(std::vector<FieldTexts> records, std::vector<FieldTexts> wanted) {
  std::sort(records.begin(), records.end());
  std::sort(wanted.begin(), wanted.end());
  return std::includes(records.begin(), records.end(), wanted.begin(), wanted.end());
}

// The material of the first row, when it survives being written unquoted.
std::string MaterialOf(std::string_view text, int materialField) {
  const std::vector<FieldTexts> records = AllRecords(text);
  if (records.size() < 2) return "W8X31";
  const std::string material = TrimSpaces(records[1][materialField]);
  const bool writable = !material.empty() && ReadBack(material) == material &&
                        material.find_first_of("\r\n") == std::string::npos;
  return writable ? material : "W8X31";
}

// A scratch folder for the whole run, removed when the fuzzer ends.
class ScratchFolder {
 public:
  ScratchFolder() : path_((std::filesystem::temp_directory_path() / "brx_fuzz_XXXXXX").string()) {
    Require(::mkdtemp(path_.data()) != nullptr);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& Folder() {
  static const ScratchFolder folder;
  return folder.Path();
}

JobState& Job() {
  static JobState job;
  return job;
}

// The loaded rows as the texts a second read must give again.
using Rows = std::vector<FieldTexts>;

Rows StockRows(const JobState& job) {
  Rows rows;
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& item = job.stock[i];
    rows.push_back({ReadBack(item.bin), std::to_string(item.quantity), ShortestDecimal(item.length),
                    item.nonInventory ? "-1" : "0"});
  }
  return rows;
}

Rows CutRows(const JobState& job) {
  Rows rows;
  for (int i = 0; i < job.cutCount; ++i) {
    const CutItem& item = job.cuts[i];
    rows.push_back({ReadBack(item.mark), std::to_string(item.quantity),
                    ShortestDecimal(item.length), item.material});
  }
  return rows;
}

struct FileKind {
  int materialField;
  std::string JobState::*path;
  UnloadedRecords JobState::*unloaded;
  bool (*read)(JobState&, Frontend&);
  void (*write)(JobState&, Frontend&);
  Rows (*rows)(const JobState&);
};

const FileKind kStock{
    0,        &JobState::stock_filename, &JobState::stockUnloaded, ReadStockFile, WriteStockFile,
    StockRows};
const FileKind kCut{
    1, &JobState::cut_filename, &JobState::cutUnloaded, ReadCutFile, WriteCutFile, CutRows};

void CheckJobFile(std::string_view text, const FileKind& kind) {
  JobState& job = Job();
  RecordingFrontend frontend;
  job.matl = MaterialOf(text, kind.materialField);
  job.*kind.path = Folder() + "/job";
  job.*kind.unloaded = {};
  WriteFileSafely(job.*kind.path, text);
  if (!kind.read(job, frontend)) return;
  const std::vector<FieldTexts> unloaded = (job.*kind.unloaded).records;
  kind.write(job, frontend);
  const Rows first = kind.rows(job);  // after the save, which fills empty bins

  const Split before = SplitRecords(text, kind.materialField, job.matl);
  const Split after = SplitRecords(ReadWholeFile(job.*kind.path), kind.materialField, job.matl);
  if (before.lineEnds || after.lineEnds) return;
  Require(after.others == before.others);
  Require(ContainsAll(after.current, unloaded));
  if (!unloaded.empty()) return;
  Require(kind.read(job, frontend));
  Require(kind.rows(job) == first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRecordsReadBack(text);
  CheckJobFile(text, kStock);
  CheckJobFile(text, kCut);
  return 0;
}
