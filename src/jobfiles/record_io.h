#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The text records shared by the stock and cut files. A record is one line,
// ended by CRLF, LF, CR or the end of the file. Commas separate its fields;
// blanks (spaces and tabs) around a field are dropped. A field may be enclosed
// in double quotes and then holds commas; "" inside quotes is one quote, text
// after the closing quote up to the next comma is dropped, and an unclosed
// quote ends at the line end. A quote inside an unquoted field is an ordinary
// character. A line holding nothing but blanks is no record, and a comma
// directly after a fourth field, with only blanks after it, starts no field.
// A UTF-8 byte-order mark at the start of the text is skipped.

inline constexpr int kFieldsPerRecord = 4;

using FieldTexts = std::array<std::string, kFieldsPerRecord>;

struct Field {
  std::string text;
  bool quoted = false;
};

struct Record {
  // Place among the text's records, counting from 0 (the header).
  int place = 0;
  // The line's bytes without its end; points into the text being read.
  std::string_view line;
  // The first four fields; the others are only counted.
  std::array<Field, kFieldsPerRecord> fields;
  int fieldCount = 0;

  // Only a line of exactly four fields is a row that can be loaded.
  bool HoldsFourFields() const { return fieldCount == kFieldsPerRecord; }
  // The field's text; a field the line does not hold reads as empty text.
  const std::string& Text(int index) const { return fields[index].text; }
  // The first four texts, missing fields empty.
  FieldTexts Texts() const;
};

// Reads records one line after the other from the whole text of a file.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text);

  // The next record, or nullopt at the end of the text.
  std::optional<Record> Next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int nextPlace_ = 0;
};

// One line as the writers write it, CRLF included: the texts joined by ",".
// A text holding a comma or a double quote is quoted with its quotes doubled,
// so it reads back as the same text; every other text is written as it is.
std::string RecordLine(const FieldTexts& texts);

// A line carried over as it stood in the file, with a CRLF end.
std::string KeptLine(const Record& record);

// The text a field reads back as from a line written by RecordLine.
std::string ReadBack(std::string_view text);
