#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/brx_error.h"
#include "jobfiles/record_io.h"

class MessageView;

// Reads a text file one line at a time. CR LF, LF and a lone CR each end a
// line; a last line without an end is still a line. A UTF-8 byte-order mark
// at the start of the file is skipped; every other byte passes unchanged.
class TextLineReader {
 public:
  // Opens the file; when that fails, Next() returns false and Error() says why.
  // Only a regular file is read: a folder, a FIFO or a device is refused with
  // "Path/File access error" at once, without waiting for a writer.
  explicit TextLineReader(const std::string& path);

  // The next line without its end. False at the end of the file and after an
  // open or read error.
  bool Next(std::string& line);
  const std::optional<BrxError>& Error() const { return error_; }

 private:
  bool Fail();

  void Open(const std::string& path);

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  std::optional<BrxError> error_;
};

// The cut file an import builds in memory: the header line, then one line
// per row, each ended by CR LF.
class ImportedCutFile {
 public:
  ImportedCutFile();
  // Adds the row mark, material, quantity, length, quoted as the job files
  // quote (a text holding a comma or a double quote), so that it reads back
  // as the same four texts.
  void AddRow(const FieldTexts& row);
  // Replaces the file at `path` with the lines added; a failure leaves the old
  // file whole, is reported through ShowError and gives false.
  bool WriteTo(const std::string& path, MessageView& frontend) const;

 private:
  std::string text_;
};
