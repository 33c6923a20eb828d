#include "import/winest_import.h"

#include <algorithm>
#include <vector>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/length_text.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "import/field_split.h"
#include "import/import_files.h"
#include "import/import_texts.h"

namespace {

constexpr const char* kReadError =
    "Error reading WinEst Export file. Check the Format Code in the Import Configuration in the "
    "Program Settings menu.";

constexpr int kMaxExportFields = 6;
constexpr std::size_t kMaterialField = 1;
constexpr std::size_t kQuantityField = 2;
// Material, quantity and length are the fields a line must have.
constexpr std::size_t kLengthField = 3;
constexpr std::size_t kMarkField = 4;
constexpr const char* kBlankMark = "  ";

// A line that holds nothing but blanks and separators.
bool IsEmptyLine(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& field) { return TrimSpaces(field).empty(); });
}

class WinEstReader {
 public:
  WinEstReader(const JobState& job, MessageView& frontend)
      : lengths_(job, frontend), frontend_(frontend) {}

  bool Run(const std::string& exportPath, const std::string& cutPath) {
    TextLineReader reader(exportPath);
    std::string line;
    if (!reader.Next(line) || !TakeLine(ParseFields(line, kMaxExportFields))) {
      frontend_.ShowMessage(texts::kErrorTitle, kReadError);
      return false;
    }
    while (reader.Next(line)) {
      const std::vector<std::string> fields = ParseFields(line, kMaxExportFields);
      if (!IsEmptyLine(fields) && !TakeLine(fields)) skipped_ = true;
    }
    if (reader.Error()) {
      ShowError(frontend_, *reader.Error());
      return false;
    }
    if (skipped_) frontend_.ShowMessage(texts::kProgramTitle, import_texts::kItemsNotProcessed);
    return cutFile_.WriteTo(cutPath, frontend_);
  }

 private:
  // Appends the cut row of a line with at least three fields.
  bool TakeLine(const std::vector<std::string>& fields) {
    if (fields.size() <= kLengthField) return false;
    std::string mark = fields.size() > kMarkField ? TrimSpaces(fields[kMarkField]) : "";
    if (mark.empty()) mark = kBlankMark;
    const std::string length =
        TrimSpaces(lengths_.ParseCodedLength(TrimSpaces(fields[kLengthField])));
    cutFile_.AddRow({mark, fields[kMaterialField], TrimSpaces(fields[kQuantityField]), length});
    return true;
  }

  LengthText lengths_;
  MessageView& frontend_;
  ImportedCutFile cutFile_;
  bool skipped_ = false;
};

}  // namespace

bool ImportWinEstFile(const JobState& job, MessageView& frontend, const std::string& exportPath,
                      const std::string& cutPath) {
  return WinEstReader(job, frontend).Run(exportPath, cutPath);
}
