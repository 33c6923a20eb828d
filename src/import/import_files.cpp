#include "import/import_files.h"

#include <cerrno>

#include "core/safe_file.h"

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

ImportedCutFile::ImportedCutFile() { AddLine(kCutFileHeader); }

void ImportedCutFile::AddLine(std::string_view line) {
  text_ += line;
  text_ += kLineEnd;
}

bool ImportedCutFile::WriteTo(const std::string& path, Frontend& frontend) const {
  try {
    WriteFileSafely(path, text_);
  } catch (const BrxError& error) {
    ShowError(frontend, error);
    return false;
  }
  return true;
}
