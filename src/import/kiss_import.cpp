#include "import/kiss_import.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "import/field_split.h"
#include "import/import_files.h"
#include "import/import_texts.h"

namespace {

constexpr const char* kRecognitionText = "KISS";
constexpr const char* kNotKissFormat = "File is not in KISS format.";
constexpr const char* kFormatErrorTitle = "Import File Format Error";

constexpr int kMaxDetailFields = 12;
// Field positions in a detail record; the length is the last one it must have.
constexpr std::size_t kMarkField = 4;
constexpr std::size_t kSubMarkField = 5;
constexpr std::size_t kQuantityField = 6;
constexpr std::size_t kShapeField = 7;
constexpr std::size_t kSizeField = 8;
constexpr std::size_t kGradeField = 9;
constexpr std::size_t kLengthField = 10;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kInchesPerFoot = 12.0;

// A detail record that ends before its length field.
BrxError MissingFieldError() { return BrxError{9, "Brx", "Subscript out of range"}; }

bool IsDetailRecord(std::string_view line) { return !line.empty() && line.front() == 'D'; }

// Puts a blank between every two adjacent commas, so that each comma is one
// field boundary and an empty field keeps its place when the record is split.
std::string KeepEmptyFields(std::string_view line) {
  std::string kept;
  kept.reserve(line.size() + line.size() / 2);
  for (std::size_t i = 0; i < line.size(); ++i) {
    kept += line[i];
    if (line[i] == ',' && i + 1 < line.size() && line[i + 1] == ',') kept += ' ';
  }
  return kept;
}

// KISS lengths are millimetres; the cut file holds the job's unit.
double LengthInJobUnit(double millimetres, const UnitMode& mode) {
  if (mode.metric) return millimetres;
  const double inches = millimetres / kMillimetresPerInch;
  return mode.inchOnly ? inches : inches / kInchesPerFoot;
}

// Field 7 is a number of the shape (taken when greater than 0) or, in files
// from detailing programs, the shape's name. Empty or not positive: skipped.
bool IsTakenShapeField(std::string_view shape) {
  if (shape.empty()) return false;
  return !IsNumericText(shape) || LeadingNumber(shape) > 0.0;
}

// The cut row of a detail record of at least ten fields, or nothing when the
// record is skipped.
std::optional<FieldTexts> CutRowOf(const std::vector<std::string>& fields, const UnitMode& mode) {
  const std::string shape = TrimSpaces(fields[kShapeField]);
  if (!IsTakenShapeField(shape)) return std::nullopt;
  const std::string mark = fields[kMarkField] + "-" + fields[kSubMarkField];
  const std::string material =
      shape + TrimSpaces(fields[kSizeField]) + " " + TrimSpaces(fields[kGradeField]);
  const double millimetres = LeadingNumber(fields[kLengthField]);
  const std::string length = ShortestDecimal(LengthInJobUnit(millimetres, mode));
  return FieldTexts{mark, material, fields[kQuantityField], length};
}

std::string FormatErrorText(long long lineNumber, std::string_view line, const BrxError& error) {
  return "At Line : " + SignedCountText(lineNumber) + "\rBRX read: '" + std::string(line) +
         "'   \rError: " + error.source + " : " + error.description;
}

class KissReader {
 public:
  KissReader(const JobState& job, MessageView& frontend)
      : mode_(UnitModeOf(job)), frontend_(frontend) {}

  bool Run(const std::string& kissPath, const std::string& cutPath) {
    TextLineReader reader(kissPath);
    std::string line;
    while (reader.Next(line)) {
      ++lineNumber_;
      if (!recognised_) recognised_ = line.find(kRecognitionText) != std::string::npos;
      if (recognised_ && IsDetailRecord(line) && !TakeRecord(KeepEmptyFields(line))) return false;
    }
    // A read error before the recognition line reads as "not KISS".
    if (reader.Error() && recognised_) return FormatError(lineNumber_ + 1, "", *reader.Error());
    if (reader.Error() || !recognised_) return NotKiss();
    if (skipped_) frontend_.ShowMessage(texts::kProgramTitle, import_texts::kItemsNotProcessed);
    return cutFile_.WriteTo(cutPath, frontend_);
  }

 private:
  bool TakeRecord(const std::string& record) {
    const std::vector<std::string> fields = ParseFields(record, kMaxDetailFields);
    if (fields.size() <= kLengthField) return FormatError(lineNumber_, record, MissingFieldError());
    if (const std::optional<FieldTexts> row = CutRowOf(fields, mode_)) {
      cutFile_.AddRow(*row);
    } else {
      skipped_ = true;
    }
    return true;
  }

  bool FormatError(long long lineNumber, std::string_view line, const BrxError& error) {
    frontend_.ShowMessage(kFormatErrorTitle, FormatErrorText(lineNumber, line, error));
    return false;
  }

  bool NotKiss() {
    frontend_.ShowMessage(texts::kProgramTitle, kNotKissFormat);
    return false;
  }

  UnitMode mode_;
  MessageView& frontend_;
  ImportedCutFile cutFile_;
  long long lineNumber_ = 0;
  bool recognised_ = false;
  bool skipped_ = false;
};

}  // namespace

bool ImportKissFile(const JobState& job, MessageView& frontend, const std::string& kissPath,
                    const std::string& cutPath) {
  return KissReader(job, frontend).Run(kissPath, cutPath);
}
