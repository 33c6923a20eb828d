#include "import/import_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/safe_file.h"

namespace {

constexpr const char* kCutFileHeader = "Mark(Bin),Material,Qty,Length";
constexpr const char* kLineEnd = "\r\n";
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkSize = sizeof kByteOrderMark - 1;

}  // namespace

TextLineReader::TextLineReader(const std::string& path) : file_(nullptr, &std::fclose) {
  Open(path);
}

void TextLineReader::Open(const std::string& path) {
  // Opened without blocking, so that a FIFO is refused instead of waiting for
  // a writer; reads block again once the file is known to be a regular one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error_ = ErrorFromErrno(errno);
    return;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    const int cause = errno;
    ::close(fd);
    error_ = S_ISREG(status.st_mode) ? ErrorFromErrno(cause) : MakeError(kErrPathFileAccess);
    return;
  }
  file_.reset(::fdopen(fd, "rb"));
  if (!file_) {
    error_ = ErrorFromErrno(errno);
    ::close(fd);
    return;
  }
  char start[kByteOrderMarkSize] = {};
  const std::size_t got = std::fread(start, 1, sizeof start, file_.get());
  const bool marked = got == sizeof start && std::memcmp(start, kByteOrderMark, got) == 0;
  if (!marked && std::fseek(file_.get(), 0, SEEK_SET) != 0) Fail();
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

ImportedCutFile::ImportedCutFile() : text_(std::string(kCutFileHeader) + kLineEnd) {}

void ImportedCutFile::AddRow(const FieldTexts& row) { text_ += RecordLine(row); }

bool ImportedCutFile::WriteTo(const std::string& path, MessageView& frontend) const {
  try {
    WriteFileSafely(path, text_);
  } catch (const BrxError& error) {
    ShowError(frontend, error);
    return false;
  }
  return true;
}
