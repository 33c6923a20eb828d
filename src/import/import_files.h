#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/brx_error.h"

class Frontend;

// Reads a text file one line at a time. CR LF, LF and a lone CR each end a
// line; a last line without an end is still a line. Bytes pass unchanged.
class TextLineReader {
 public:
  // Opens the file; when that fails, Next() returns false and Error() says why.
  explicit TextLineReader(const std::string& path);

  // The next line without its end. False at the end of the file and after an
  // open or read error.
  bool Next(std::string& line);
  const std::optional<BrxError>& Error() const { return error_; }

 private:
  bool Fail();

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  std::optional<BrxError> error_;
};

// The cut file an import builds in memory: the header line, then one line
// per row, each ended by CR LF.
class ImportedCutFile {
 public:
  ImportedCutFile();
  void AddLine(std::string_view line);
  // Replaces the file at `path` with the lines added; a failure leaves the old
  // file whole, is reported through ShowError and gives false.
  bool WriteTo(const std::string& path, Frontend& frontend) const;

 private:
  std::string text_;
};
