#include "jobfiles/stock_file.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "jobfiles/job_file_support.h"
#include "jobfiles/record_io.h"

namespace {

// Fields of a stock record.
constexpr int kMaterialField = 0;
constexpr int kBinField = 1;
constexpr int kQuantityField = 2;
constexpr int kLengthField = 3;
// The material field of a cut record, for the material list.
constexpr int kCutMaterialField = 1;

constexpr const char* kHeaderLine = "MATERIAL, MARK, QTY, LENGTH\r\n";
constexpr const char* kEnterOrSelectShape = "Enter or Select a shape";
constexpr const char* kEnterMaterialDescription = "Enter material description";
constexpr const char* kReading = "Reading...";
constexpr const char* kSizesEntered = " stock sizes entered";
constexpr const char* kNonNumericQuantity = "Non numeric value found in stock file for Qty: ";
constexpr const char* kSaving = "Saving Stock Data for ";
constexpr const char* kReadingMaterials = "Reading material in ...";

void ShowReadFailure(Frontend& frontend, const BrxError& error, const std::string& path) {
  frontend.ShowMessage(texts::kErrorTitle,
                       ErrorReportText(error) + " in stock file: " + path + "\r" +
                           "The Stock file does not have the correct data.\r\n" +
                           "Delete or correct the file.",
                       MessageIcon::Critical);
}

// The value of a quantity field that passed the numeric test, rounded half to
// even; nullopt when it does not fit 16 bits.
std::optional<std::int16_t> StockQuantity(const std::string& text) {
  const std::optional<double> value = NumericValue(text);
  return value ? RoundHalfEvenToInt16(*value) : std::nullopt;
}

// Loads the current material's rows of a stock file's text into the job.
class StockLoader {
 public:
  StockLoader(JobState& job, Frontend& frontend) : job_(job), frontend_(frontend) {}

  // Reads every record after the header. Lines that do not hold four fields
  // are passed over. Loading stops at a full list or a quantity that is not
  // numeric or does not fit; the current material's rows from there on are
  // not loaded.
  void Load(std::string_view content) {
    RecordReader reader(content);
    reader.Next();  // the header, whatever it holds
    std::vector<int> loaded;
    while (const std::optional<Record> record = reader.Next()) {
      if (!record->HoldsFourFields()) {
        unloaded_.AddMalformed();
        continue;
      }
      if (!IsOfMaterial(record->Text(kMaterialField), job_.matl)) continue;
      if (!stopped_ && LoadRow(*record)) {
        loaded.push_back(record->place);
      } else {
        unloaded_.Add(record->place);
      }
    }
    // An overflow empties the list, so none of the material's rows is loaded.
    if (overflow_) {
      for (int place : loaded) unloaded_.Add(place);
    }
  }

  bool Overflowed() const { return overflow_; }
  std::int16_t Count() const { return count_; }
  UnloadedCollector& Unloaded() { return unloaded_; }

 private:
  // Stores the record as the next row; false when loading stops at it.
  bool LoadRow(const Record& record) {
    if (!IsNumericText(record.Text(kQuantityField))) {
      frontend_.ShowMessage(texts::kProgramTitle,
                            kNonNumericQuantity + TrimSpaces(record.Text(kMaterialField)));
      return Stop();
    }
    const std::optional<std::int16_t> quantity = StockQuantity(record.Text(kQuantityField));
    if (!quantity) {
      overflow_ = true;
      return Stop();
    }
    Store(record, *quantity);
    stopped_ = count_ == kMaxStockRows;
    return true;
  }

  bool Stop() {
    stopped_ = true;
    return false;
  }

  void Store(const Record& record, std::int16_t quantity) {
    StockItem& item = job_.stock[count_];
    item.material = TrimSpaces(record.Text(kMaterialField));
    item.bin = record.Text(kBinField);
    item.nonInventory = quantity == 0;
    item.quantity = item.nonInventory ? kOrderableQuantity : quantity;
    item.length = LeadingNumber(record.Text(kLengthField));
    item.usedCount = 0;
    // A negative quantity gives no bars, so it adds none to the bound.
    job_.totalStockQuantity += std::max<int>(item.quantity, 0);
    ++count_;
  }

  JobState& job_;
  Frontend& frontend_;
  std::int16_t count_ = 0;
  bool stopped_ = false;
  bool overflow_ = false;
  UnloadedCollector unloaded_;
};

// The old file's records as a write puts them after the current material's
// rows: first the current material's rows that the last read did not load,
// then every other record (lines that do not hold four fields as they stood),
// each group in file order.
struct KeptRecords {
  std::string unloaded;
  int unloadedCount = 0;
  std::string others;
};

KeptRecords KeptLines(const JobState& job, const std::string& path) {
  KeptRecords kept;
  const std::optional<std::string> content = OldContent(path);
  if (!content) return kept;
  const UnloadedMatcher unloaded(job.stockUnloaded, path, job.matl);
  RecordReader reader(*content);
  reader.Next();  // the header
  while (const std::optional<Record> record = reader.Next()) {
    if (!record->HoldsFourFields()) {
      kept.others += KeptLine(*record);
    } else if (!IsOfMaterial(record->Text(kMaterialField), job.matl)) {
      kept.others += RecordLine(record->Texts());
    } else if (unloaded.IsUnloaded(record->place)) {
      kept.unloaded += RecordLine(record->Texts());
      ++kept.unloadedCount;
    }
  }
  return kept;
}

// The current material's rows in list order, and how many. An empty bin
// becomes the row's position, in memory as well.
std::string RowLines(JobState& job, int& count) {
  std::string lines;
  for (int i = 0; i < job.stockCount; ++i) {
    StockItem& item = job.stock[i];
    const int quantity = item.quantity == kOrderableQuantity ? 0 : item.quantity;
    if (item.bin.empty()) item.bin = std::to_string(i);
    if (item.material != job.matl) continue;
    lines += RecordLine(
        {item.material, item.bin, std::to_string(quantity), ShortestDecimal(item.length)});
    ++count;
  }
  return lines;
}

// The contents of a file, or nullopt when it is missing or cannot be read.
std::optional<std::string> TryReadFile(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  try {
    return ReadWholeFile(path);
  } catch (const BrxError&) {
    return std::nullopt;
  }
}

bool IsListed(const std::vector<std::string>& entries, const std::string& material) {
  return material.empty() || std::find(entries.begin(), entries.end(), material) != entries.end();
}

void AddIfNotListed(std::vector<std::string>& entries, const std::string& material) {
  if (!IsListed(entries, material)) entries.push_back(material);
}

// The cut file's materials (second field); lines that do not hold four
// fields are passed over.
void AddCutFileMaterials(std::string_view content, std::vector<std::string>& entries) {
  RecordReader reader(content);
  reader.Next();  // the header
  while (const std::optional<Record> record = reader.Next()) {
    if (record->HoldsFourFields()) AddIfNotListed(entries, record->Text(kCutMaterialField));
  }
}

// The stock file's materials (first field); a run of records of one material
// is looked up once, and lines that do not hold four fields are passed over.
void AddStockFileMaterials(std::string_view content, std::vector<std::string>& entries) {
  RecordReader reader(content);
  const std::optional<Record> header = reader.Next();
  if (!header) return;
  std::string previous = header->Text(kMaterialField);
  while (const std::optional<Record> record = reader.Next()) {
    if (!record->HoldsFourFields()) continue;
    const std::string& material = record->Text(kMaterialField);
    if (material == previous) continue;
    AddIfNotListed(entries, material);
    previous = material;
  }
}

}  // namespace

bool ReadStockFile(JobState& job, Frontend& frontend) {
  job.stockCount = 0;
  job.totalStockQuantity = 0;
  if (job.stock_filename.empty()) return false;
  if (job.matl.empty()) {
    ShowHint(frontend, kEnterOrSelectShape);
    return false;
  }
  const std::string path = job.stock_filename;
  std::optional<std::string> content;
  try {
    content = OldContent(path);
  } catch (const BrxError& error) {
    job.stockUnloaded = {};
    ShowReadFailure(frontend, error, path);
    return false;
  }
  if (!content) {
    UnloadedCollector().Finish(job.stockUnloaded, path, job.matl, "", frontend);
    frontend.RefreshStockList(0);
    return true;
  }
  frontend.ShowStatus(kReading + path);

  StockLoader loader(job, frontend);
  loader.Load(*content);
  if (loader.Overflowed()) ShowReadFailure(frontend, MakeError(kErrOverflow), path);
  loader.Unloaded().Finish(job.stockUnloaded, path, job.matl, *content, frontend);
  if (loader.Overflowed()) return false;

  job.stockCount = loader.Count();
  frontend.ShowStatus(SignedCountText(job.stockCount) + kSizesEntered);
  frontend.ShowStockFileName(path);
  frontend.RefreshStockList(0);
  return true;
}

bool WriteStockFile(JobState& job, Frontend& frontend) {
  if (job.stock_filename.empty()) frontend.RunSaveAs();
  if (job.matl.empty()) {
    ShowHint(frontend, kEnterMaterialDescription);
    return false;
  }
  const std::string path = job.stock_filename;
  try {
    const KeptRecords kept = KeptLines(job, path);
    frontend.ShowStatus(kSaving + job.matl + " in " + path);
    int rows = 0;
    const std::string content = kHeaderLine + RowLines(job, rows) + kept.unloaded + kept.others;
    WriteFileSafely(path, content);
    // The header is record 0; the rows not loaded follow the written rows.
    std::vector<int> places;
    for (int i = 0; i < kept.unloadedCount; ++i) places.push_back(1 + rows + i);
    NoteWrite(job.stockUnloaded, path, job.matl, std::move(places), content);
  } catch (const BrxError& error) {
    ShowError(frontend, error, path);
    return false;
  }
  frontend.ShowStatus("");
  frontend.ShowStockFileName(path);
  frontend.MarkMaterialSaved();
  return true;
}

void LoadMaterials(JobState& job, Frontend& frontend) {
  std::vector<std::string> entries = frontend.MaterialEntries();
  const std::string status = kReadingMaterials + job.stock_filename;
  if (const std::optional<std::string> cutFile = TryReadFile(job.cut_filename)) {
    frontend.ShowStatus(status);
    entries.clear();
    AddCutFileMaterials(*cutFile, entries);
  }
  if (const std::optional<std::string> stockFile = TryReadFile(job.stock_filename)) {
    frontend.ShowStatus(status);
    AddStockFileMaterials(*stockFile, entries);
  }
  frontend.SetMaterialEntries(entries);
}

std::vector<std::string> CutFileMaterials(const std::string& cutFile) {
  std::vector<std::string> materials;
  if (const std::optional<std::string> content = TryReadFile(cutFile)) {
    AddCutFileMaterials(*content, materials);
  }
  return materials;
}
