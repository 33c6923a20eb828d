#include "import/import_files.h"

#include <cerrno>

namespace {

constexpr const char* kCutFileHeader = "Mark(Bin),Material,Qty,Length";
constexpr const char* kLineEnd = "\r\n";

}  // namespace

TextLineReader::TextLineReader(const std::string& path)
    : file_(std::fopen(path.c_str(), "rb"), &std::fclose) {
  if (!file_) error_ = ErrorFromErrno(errno);
}

bool TextLineReader::Fail() {
  error_ = ErrorFromErrno(errno);
  file_.reset();
  return false;
}

bool TextLineReader::Next(std::string& line) {
  line.clear();
  if (!file_) return false;
  std::FILE* file = file_.get();
  int c = std::getc(file);
  if (c == EOF) return std::ferror(file) ? Fail() : false;
  while (c != EOF && c != '\r' && c != '\n') {
    line += static_cast<char>(c);
    c = std::getc(file);
  }
  if (c == '\r') {
    const int next = std::getc(file);
    if (next != '\n' && next != EOF) std::ungetc(next, file);
  }
  return std::ferror(file) ? Fail() : true;
}

std::optional<BrxError> ReplaceFileContents(const std::string& path, std::string_view contents) {
  // A name left behind by an earlier crash is passed over, never reused.
  constexpr int kTemporaryNameAttempts = 100;
  std::string temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && file == nullptr; ++attempt) {
    temporary = path + ".tmp" + std::to_string(attempt);
    file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr && errno != EEXIST) break;
  }
  if (file == nullptr) return ErrorFromErrno(errno);
  int failure = 0;
  if (std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) failure = errno;
  if (std::fclose(file) != 0 && failure == 0) failure = errno;
  if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
  if (failure == 0) return std::nullopt;
  std::remove(temporary.c_str());
  return ErrorFromErrno(failure);
}

ImportedCutFile::ImportedCutFile() { AddLine(kCutFileHeader); }

void ImportedCutFile::AddLine(std::string_view line) {
  text_ += line;
  text_ += kLineEnd;
}

bool ImportedCutFile::WriteTo(const std::string& path, Frontend& frontend) const {
  const std::optional<BrxError> error = ReplaceFileContents(path, text_);
  if (error) ShowError(frontend, *error);
  return !error;
}
