#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The text records shared by the stock and cut files. A record is four
// comma-separated fields; a line end (CRLF, LF or CR) or the end of the file
// also ends a field, so records are counted by fields, not lines. Blanks
// (spaces and tabs) around a field are dropped. A field may be enclosed in
// double quotes and then holds commas and line ends; "" inside quotes is one
// quote, and text after the closing quote up to the next comma or line end is
// dropped. A quote inside an unquoted field is an ordinary character. A line
// holding nothing but blanks is no record and no field, and a comma directly
// after a record's fourth field, before the line end, starts no field.

inline constexpr int kFieldsPerRecord = 4;

using FieldTexts = std::array<std::string, kFieldsPerRecord>;

struct Field {
  std::string text;
  bool quoted = false;
};

struct Record {
  std::array<Field, kFieldsPerRecord> fields;
  // 4, or fewer when the file ended inside the record.
  int fieldCount = 0;

  bool IsComplete() const { return fieldCount == kFieldsPerRecord; }
  // The field's text; a field the file did not reach reads as empty text.
  const std::string& Text(int index) const { return fields[index].text; }
  // The four texts, missing fields empty.
  FieldTexts Texts() const;
};

// Reads records one after the other from the whole text of a file.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : text_(text) {}

  // The next record, or nullopt at the end of the text. Only the last record
  // of a text can be incomplete.
  std::optional<Record> Next();

 private:
  enum class FieldEnd { Comma, LineEnd, TextEnd };

  bool AtEnd() const { return pos_ >= text_.size(); }
  void SkipBlankLines();
  FieldEnd ReadField(Field& field);
  FieldEnd ReadQuoted(std::string& text);
  FieldEnd ReadUnquoted(std::string& text);
  FieldEnd ConsumeFieldEnd();
  bool RestOfLineIsBlank() const;
  void SkipLine();

  std::string_view text_;
  std::size_t pos_ = 0;
  bool atLineStart_ = true;
};

// One line as the writers write it, CRLF included: the texts joined by ",".
// A text holding a comma or a double quote is quoted with its quotes doubled,
// so it reads back as the same text; every other text is written as it is.
std::string RecordLine(const FieldTexts& texts);

// The text a field reads back as from a line written by RecordLine.
std::string ReadBack(std::string_view text);
