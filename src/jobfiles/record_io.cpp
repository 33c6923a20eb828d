#include "jobfiles/record_io.h"

#include "core/text_util.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool NeedsQuotes(std::string_view text) { return text.find_first_of(",\"") != text.npos; }

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

FieldTexts Record::Texts() const {
  FieldTexts texts;
  for (int i = 0; i < kFieldsPerRecord; ++i) texts[i] = fields[i].text;
  return texts;
}

std::optional<Record> RecordReader::Next() {
  if (atLineStart_) SkipBlankLines();
  if (AtEnd()) return std::nullopt;
  Record record;
  FieldEnd end = FieldEnd::Comma;
  for (Field& field : record.fields) {
    if (end == FieldEnd::TextEnd) break;
    if (end == FieldEnd::LineEnd) {
      SkipBlankLines();
      if (AtEnd()) break;
    }
    end = ReadField(field);
    ++record.fieldCount;
  }
  // A trailing comma after the fourth field: the line ends the record.
  if (record.IsComplete() && end == FieldEnd::Comma && RestOfLineIsBlank()) SkipLine();
  return record;
}

void RecordReader::SkipBlankLines() {
  while (!AtEnd() && RestOfLineIsBlank()) SkipLine();
}

bool RecordReader::RestOfLineIsBlank() const {
  std::size_t pos = pos_;
  while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
  return pos == text_.size() || IsLineEnd(text_[pos]);
}

void RecordReader::SkipLine() {
  while (!AtEnd() && !IsLineEnd(text_[pos_])) ++pos_;
  ConsumeFieldEnd();
}

RecordReader::FieldEnd RecordReader::ReadField(Field& field) {
  while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  field.quoted = !AtEnd() && text_[pos_] == '"';
  return field.quoted ? ReadQuoted(field.text) : ReadUnquoted(field.text);
}

RecordReader::FieldEnd RecordReader::ReadQuoted(std::string& text) {
  ++pos_;  // the opening quote
  for (;;) {
    const std::size_t quote = text_.find('"', pos_);
    if (quote == text_.npos) {  // no closing quote: the field runs to the end
      text.append(text_.substr(pos_));
      pos_ = text_.size();
      return FieldEnd::TextEnd;
    }
    text.append(text_.substr(pos_, quote - pos_));
    pos_ = quote + 1;
    if (AtEnd() || text_[pos_] != '"') break;
    text += '"';  // a doubled quote stands for one
    ++pos_;
  }
  // Whatever follows the closing quote, up to the field's end, is dropped.
  while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  return ConsumeFieldEnd();
}

RecordReader::FieldEnd RecordReader::ReadUnquoted(std::string& text) {
  const std::size_t start = pos_;
  while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  text = TrimBlanks(text_.substr(start, pos_ - start));
  return ConsumeFieldEnd();
}

RecordReader::FieldEnd RecordReader::ConsumeFieldEnd() {
  atLineStart_ = false;
  if (AtEnd()) return FieldEnd::TextEnd;
  const char c = text_[pos_++];
  if (c == ',') return FieldEnd::Comma;
  if (c == '\r' && !AtEnd() && text_[pos_] == '\n') ++pos_;
  atLineStart_ = true;
  return FieldEnd::LineEnd;
}

std::string RecordLine(const FieldTexts& texts) {
  std::string line;
  for (int i = 0; i < kFieldsPerRecord; ++i) {
    if (i > 0) line += ',';
    line += NeedsQuotes(texts[i]) ? Quoted(texts[i]) : texts[i];
  }
  return line + "\r\n";
}

std::string ReadBack(std::string_view text) {
  return NeedsQuotes(text) ? std::string(text) : TrimBlanks(text);
}
