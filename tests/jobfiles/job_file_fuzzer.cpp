// libFuzzer target for the stock and cut file readers (built and run by
// scripts/fuzz.sh). Any input must read without a crash, a hang or a
// sanitizer report, and:
// - a record of four fields written and read again comes back as ReadBack
//   says, and a line carried over reads back as the same line;
// - a save keeps every record of another material and every line that does
//   not hold four fields, in order, and puts the rows the read did not load
//   after the rows written; a second read loads the same rows again.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "jobfiles/job_file_properties.h"
#include "support/recording_frontend.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<Record> AllRecords(std::string_view text) {
  std::vector<Record> records;
  RecordReader reader(text);
  while (const std::optional<Record> record = reader.Next()) records.push_back(*record);
  return records;
}

void CheckRecordsReadBack(std::string_view text) {
  std::string lines = "\r\n";  // a byte-order mark counts only at the very start
  std::vector<Record> written;
  for (const Record& record : AllRecords(text)) {
    lines += record.HoldsFourFields() ? RecordLine(record.Texts()) : KeptLine(record);
    written.push_back(record);
  }
  const std::vector<Record> read = AllRecords(lines);
  Require(read.size() == written.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    Require(read[i].fieldCount == written[i].fieldCount);
    if (written[i].HoldsFourFields()) {
      Require(read[i].Texts() == CarriedForm(written[i].Texts()));
    } else {
      Require(read[i].line == written[i].line);
    }
  }
}

// The material of the first row, when it survives being written unquoted.
std::string MaterialOf(std::string_view text, int materialField) {
  const std::vector<Record> records = AllRecords(text);
  if (records.size() < 2) return "W8X31";
  const std::string material = TrimSpaces(records[1].Text(materialField));
  const bool writable = !material.empty() && ReadBack(material) == material;
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

void CheckJobFile(std::string_view text, const FileKind& kind) {
  RecordingFrontend frontend;
  Job().matl = MaterialOf(text, kind.materialField);
  Require(SaveProblem(Job(), frontend, text, kind, Folder() + "/" + kind.name).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRecordsReadBack(text);
  CheckJobFile(text, kStockFile);
  CheckJobFile(text, kCutFile);
  return 0;
}
