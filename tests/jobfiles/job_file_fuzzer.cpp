// libFuzzer target for the stock and cut file readers (built and run by
// scripts/fuzz.sh). Any input must read without a crash, a hang or a
// sanitizer report, and:
// - records written and read again come back as ReadBack says;
// - a save keeps every record of another material, in order, and every row
//   the read did not load; after a read that loaded every row, a second read
//   gives the same rows again.
// Fields holding a line end but no comma or quote are left out of the
// properties: they are written without quotes and split when read again.

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
    if (WritesUnreadably(texts)) continue;
    written.push_back(texts);
    lines += RecordLine(texts);
  }
  const std::vector<FieldTexts> read = AllRecords(lines);
  Require(read.size() == written.size());
  for (std::size_t i = 0; i < read.size(); ++i) Require(read[i] == CarriedForm(written[i]));
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
