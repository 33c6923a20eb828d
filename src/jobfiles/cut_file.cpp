#include "jobfiles/cut_file.h"

#include <algorithm>
#include <optional>
#include <string>
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

// Fields of a cut record.
constexpr int kMarkField = 0;
constexpr int kMaterialField = 1;
constexpr int kQuantityField = 2;
constexpr int kLengthField = 3;
constexpr const char* kReading = "Reading File: ";
constexpr const char* kSizesEntered = " cut sizes entered for a total of ";
constexpr const char* kPiecesSuffix = " cut pieces";
constexpr const char* kSaving = "Saving cut data in ";
// Cut rows are never saved into a file named like a stock file.
constexpr const char* kStockNameWarning = "hold on error 1";
constexpr std::string_view kStockExtension = ".STK";

void ShowReadFailure(Frontend& frontend, const BrxError& error, const std::string& path) {
  frontend.ShowMessage(texts::kErrorTitle,
                       ErrorReportText(error) + " in cut file: " + path + "\r" +
                           "The Cut file does not have the correct data",
                       MessageIcon::Critical);
}

// The texts a cut record is carried over as: the material trimmed.
FieldTexts CarriedTexts(const Record& record) {
  FieldTexts texts = record.Texts();
  texts[kMaterialField] = TrimSpaces(texts[kMaterialField]);
  return texts;
}

// Loads the current material's cut rows of a cut file's text into the job
// and expands them into pieces.
class CutLoader {
 public:
  CutLoader(JobState& job, Frontend& frontend) : job_(job), frontend_(frontend) {}

  // Reads every record after the header, handling events after each. Lines
  // that do not hold four fields are passed over. A row whose quantity does
  // not fit 16 bits or whose quantity or length is not a finite number is not
  // loaded; loading stops at pieces that no longer fit and at a full list.
  // Rows with a length or quantity below the minimum are skipped.
  void Load(std::string_view content) {
    RecordReader reader(content);
    reader.Next();  // the header, whatever it holds
    while (const std::optional<Record> record = reader.Next()) {
      frontend_.PumpEvents();
      if (!record->HoldsFourFields()) {
        unloaded_.AddMalformed();
        continue;
      }
      if (!IsOfMaterial(record->Text(kMaterialField), job_.matl)) continue;
      if (stopped_ || !LoadRow(*record)) unloaded_.Add(record->place);
    }
  }

  std::int16_t RowCount() const { return rowCount_; }
  std::int16_t PieceCount() const { return pieceCount_; }
  UnloadedCollector& Unloaded() { return unloaded_; }

 private:
  // True when the row was stored or skipped; false when it is not loaded and
  // must stay in the file.
  bool LoadRow(const Record& record) {
    if (IsNonFiniteNumber(record.Text(kLengthField)) ||
        IsNonFiniteNumber(record.Text(kQuantityField))) {
      return false;
    }
    const double length = LeadingNumber(record.Text(kLengthField));
    const std::optional<std::int16_t> quantity =
        RoundHalfEvenToInt16(LeadingNumber(record.Text(kQuantityField)));
    if (!quantity) return false;
    if (!(length > 0.0) || *quantity < 1) return true;
    if (pieceCount_ + *quantity > kMaxPieces) return Stop();
    Store(record, *quantity, length);
    stopped_ = rowCount_ == kMaxCutRows;
    return true;
  }

  bool Stop() {
    stopped_ = true;
    return false;
  }

  void Store(const Record& record, std::int16_t quantity, double length) {
    const std::string mark = TrimSpaces(record.Text(kMarkField));
    for (int i = 0; i < quantity; ++i) {
      CutPiece& piece = job_.pieces[pieceCount_ + i];
      piece.length = length;
      piece.mark = mark;
      piece.material.clear();
      piece.used = false;
    }
    CutItem& item = job_.cuts[rowCount_];
    item.quantity = quantity;
    item.length = length;
    item.mark = mark;
    item.material = TrimSpaces(record.Text(kMaterialField));
    pieceCount_ = static_cast<std::int16_t>(pieceCount_ + quantity);
    ++rowCount_;
  }

  JobState& job_;
  Frontend& frontend_;
  std::int16_t rowCount_ = 0;
  std::int16_t pieceCount_ = 0;
  bool stopped_ = false;
  UnloadedCollector unloaded_;
};

// A header field is written back as it read, except that an unquoted field
// passing the numeric test is written as its number's shortest decimal text.
std::string HeaderFieldText(const Field& field) {
  if (field.quoted || !IsNumericText(field.text)) return field.text;
  const std::optional<double> value = NumericValue(field.text);
  return value ? ShortestDecimal(*value) : field.text;
}

// The old file's records as a write places them around the cut list: its
// first record and every other record (lines that do not hold four fields
// as they stood) before it, the current material's rows that the last read
// did not load after it, each group in file order. A new file's first line
// is ",,,".
struct CarriedRecords {
  std::string before;
  int beforeCount = 1;  // the first record included
  std::string unloaded;
  int unloadedCount = 0;
};

CarriedRecords CarriedLines(const JobState& job, const std::string& path) {
  CarriedRecords carried;
  const std::optional<std::string> content = OldContent(path);
  if (!content) {
    carried.before = RecordLine({});
    return carried;
  }
  RecordReader reader(*content);
  FieldTexts header;
  if (const std::optional<Record> first = reader.Next()) {
    for (int i = 0; i < std::min(first->fieldCount, kFieldsPerRecord); ++i) {
      header[i] = HeaderFieldText(first->fields[i]);
    }
  }
  carried.before = RecordLine(header);
  const UnloadedMatcher unloaded(job.cutUnloaded, path, job.matl);
  while (const std::optional<Record> record = reader.Next()) {
    if (!record->HoldsFourFields()) {
      carried.before += KeptLine(*record);
      ++carried.beforeCount;
    } else if (!IsOfMaterial(record->Text(kMaterialField), job.matl)) {
      carried.before += RecordLine(CarriedTexts(*record));
      ++carried.beforeCount;
    } else if (unloaded.IsUnloaded(record->place)) {
      carried.unloaded += RecordLine(CarriedTexts(*record));
      ++carried.unloadedCount;
    }
  }
  return carried;
}

std::string RowLines(const JobState& job) {
  std::string lines;
  for (int i = 0; i < job.cutCount; ++i) {
    const CutItem& item = job.cuts[i];
    lines += RecordLine({TrimSpaces(item.mark), TrimSpaces(item.material),
                         std::to_string(item.quantity), ShortestDecimal(item.length)});
  }
  return lines;
}

// True when the file's own name, not its folder, ends in ".stk" in any case.
bool IsNamedLikeStockFile(const std::string& path) {
  const std::string name = path.substr(path.find_last_of('/') + 1);
  return name.size() >= kStockExtension.size() &&
         ToUpperAscii(name.substr(name.size() - kStockExtension.size())) == kStockExtension;
}

}  // namespace

bool ReadCutFile(JobState& job, Frontend& frontend) {
  // Every early exit leaves an empty cut list, so that no later write puts
  // stale rows under another material.
  job.pieceCount = 0;
  job.cutCount = 0;
  job.cutListEdited = false;
  const std::string path = job.cut_filename;
  if (job.matl.empty() || path.empty()) return false;
  std::optional<std::string> content;
  try {
    content = OldContent(path);
  } catch (const BrxError& error) {
    job.cutUnloaded = {};
    ShowReadFailure(frontend, error, path);
    return false;
  }
  if (!content) {
    UnloadedCollector().Finish(job.cutUnloaded, path, job.matl, "", frontend);
    frontend.RefreshCutList(0);
    return false;
  }
  frontend.ShowStatus(kReading + path);
  frontend.RefreshCutList(0);  // empties the list box

  CutLoader loader(job, frontend);
  loader.Load(*content);
  loader.Unloaded().Finish(job.cutUnloaded, path, job.matl, *content, frontend);

  job.cutCount = loader.RowCount();
  job.pieceCount = loader.PieceCount();
  frontend.RefreshCutList(0);
  frontend.ShowStatus(SignedCountText(job.cutCount) + kSizesEntered +
                      SignedCountText(job.pieceCount) + kPiecesSuffix);
  job.dataChanged = false;
  return true;
}

bool WriteCutFile(JobState& job, Frontend& frontend) {
  if (job.cut_filename.empty() && job.pieceCount > 0) frontend.RunSaveAs();
  // No rows are written under no material.
  if (job.matl.empty()) return false;
  const std::string path = job.cut_filename;
  if (IsNamedLikeStockFile(path)) {
    frontend.ShowMessage(texts::kProgramTitle, kStockNameWarning);
    return false;
  }
  try {
    const CarriedRecords carried = CarriedLines(job, path);
    frontend.ShowStatus(kSaving + path);
    const std::string content = carried.before + RowLines(job) + carried.unloaded;
    WriteFileSafely(path, content);
    std::vector<int> places;
    for (int i = 0; i < carried.unloadedCount; ++i) {
      places.push_back(carried.beforeCount + job.cutCount + i);
    }
    NoteWrite(job.cutUnloaded, path, job.matl, std::move(places), content);
  } catch (const BrxError& error) {
    ShowError(frontend, error, path);
    return false;
  }
  frontend.ShowStatus("");
  job.dataChanged = false;
  return true;
}
