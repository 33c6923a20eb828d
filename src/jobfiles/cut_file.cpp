#include "jobfiles/cut_file.h"

#include <optional>
#include <string>
#include <string_view>

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
// Saving cut rows into a file whose name looks like a stock file only warns.
constexpr const char* kStockNameWarning = "hold on error 1";
constexpr const char* kStockNamePart = "stk";

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

  // Reads every record after the header, handling events after each. A row
  // whose quantity does not fit 16 bits is not loaded; loading stops at a
  // record the file ends inside, at pieces that no longer fit, and at a full
  // list. Rows with a length or quantity below the minimum are skipped.
  void Load(std::string_view content) {
    RecordReader reader(content);
    reader.Next();  // the header, whatever it holds
    while (const std::optional<Record> record = reader.Next()) {
      frontend_.PumpEvents();
      if (!IsOfMaterial(record->Text(kMaterialField), job_.matl)) continue;
      if (stopped_ || !LoadRow(*record)) unloaded_.Add(CarriedForm(CarriedTexts(*record)));
    }
  }

  std::int16_t RowCount() const { return rowCount_; }
  std::int16_t PieceCount() const { return pieceCount_; }
  UnloadedCollector& Unloaded() { return unloaded_; }

 private:
  // True when the row was stored or skipped; false when it is not loaded and
  // must stay in the file.
  bool LoadRow(const Record& record) {
    if (!record.IsComplete()) return Stop();
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

// The old file's records written before the current material's rows: its
// first record, then every other material's record and the current
// material's records that the last read did not load, in file order. A new
// file's first line is ",,,". Throws when the old file cannot be read to its
// end, so that it is never replaced by a file that lacks the rest.
std::string CarriedLines(const JobState& job, const std::string& path) {
  if (!FileExists(path)) return RecordLine({});
  const std::string content = ReadWholeFile(path);
  RecordReader reader(content);
  FieldTexts header;
  if (const std::optional<Record> first = reader.Next()) {
    for (int i = 0; i < first->fieldCount; ++i) header[i] = HeaderFieldText(first->fields[i]);
  }
  std::string lines = RecordLine(header);
  UnloadedMatcher unloaded(job.cutUnloaded, path, job.matl);
  while (const std::optional<Record> record = reader.Next()) {
    const FieldTexts texts = CarriedTexts(*record);
    if (IsOfMaterial(record->Text(kMaterialField), job.matl) &&
        !unloaded.Take(CarriedForm(texts))) {
      continue;
    }
    lines += RecordLine(texts);
  }
  return lines;
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

}  // namespace

bool ReadCutFile(JobState& job, Frontend& frontend) {
  // Every early exit leaves an empty cut list, so that no later write puts
  // stale rows under another material.
  job.pieceCount = 0;
  job.cutCount = 0;
  job.cutListEdited = false;
  const std::string path = job.cut_filename;
  if (job.matl.empty() || path.empty()) return false;
  if (!FileExists(path)) {
    UnloadedCollector().Finish(job.cutUnloaded, path, job.matl, frontend);
    frontend.RefreshCutList(0);
    return false;
  }
  std::string content;
  try {
    content = ReadWholeFile(path);
  } catch (const BrxError& error) {
    ShowReadFailure(frontend, error, path);
    return false;
  }
  if (!job.batchMode) {
    frontend.ShowStatus(kReading + path);
    frontend.RefreshCutList(0);  // empties the list box
  }

  CutLoader loader(job, frontend);
  loader.Load(content);
  loader.Unloaded().Finish(job.cutUnloaded, path, job.matl, frontend);

  job.cutCount = loader.RowCount();
  job.pieceCount = loader.PieceCount();
  if (!job.batchMode) {
    frontend.RefreshCutList(0);
    frontend.ShowStatus(SignedCountText(job.cutCount) + kSizesEntered +
                        SignedCountText(job.pieceCount) + kPiecesSuffix);
  }
  job.dataChanged = false;
  return true;
}

bool WriteCutFile(JobState& job, Frontend& frontend) {
  if (job.cut_filename.empty() && job.pieceCount > 0) frontend.RunSaveAs();
  // No rows are written under no material.
  if (job.matl.empty()) return false;
  const std::string path = job.cut_filename;
  if (path.find(kStockNamePart) != std::string::npos) {
    frontend.ShowMessage(texts::kProgramTitle, kStockNameWarning);
  }
  try {
    const std::string carried = CarriedLines(job, path);
    if (!job.batchMode) frontend.ShowStatus(kSaving + path);
    WriteFileSafely(path, carried + RowLines(job));
  } catch (const BrxError& error) {
    ShowError(frontend, error);
    return false;
  }
  if (!job.batchMode) frontend.ShowStatus("");
  job.dataChanged = false;
  return true;
}
