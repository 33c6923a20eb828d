#include "jobfiles/record_io.h"

#include <algorithm>

#include "core/text_util.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

bool NeedsQuotes(std::string_view text) { return text.find_first_of(",\"") != text.npos; }

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// Reads the field that starts at `pos` (blanks before it included) and leaves
// `pos` on the comma that ends it, or at the end of the line.
std::string ReadField(std::string_view line, std::size_t& pos, bool& quoted) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  quoted = pos < line.size() && line[pos] == '"';
  if (!quoted) {
    const std::size_t start = pos;
    pos = std::min(line.find(',', pos), line.size());
    return TrimBlanks(line.substr(start, pos - start));
  }
  std::string text;
  ++pos;  // the opening quote
  for (;;) {
    const std::size_t quote = line.find('"', pos);
    if (quote == line.npos) {  // unclosed: the field ends with the line
      text.append(line.substr(pos));
      pos = line.size();
      return text;
    }
    text.append(line.substr(pos, quote - pos));
    pos = quote + 1;
    if (pos >= line.size() || line[pos] != '"') break;
    text += '"';  // a doubled quote stands for one
    ++pos;
  }
  pos = std::min(line.find(',', pos), line.size());
  return text;
}

}  // namespace

FieldTexts Record::Texts() const {
  FieldTexts texts;
  for (int i = 0; i < kFieldsPerRecord; ++i) texts[i] = fields[i].text;
  return texts;
}

RecordReader::RecordReader(std::string_view text) : text_(text) {
  if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

std::optional<Record> RecordReader::Next() {
  while (pos_ < text_.size()) {
    const std::size_t end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    if (IsBlankText(line)) continue;

    Record record;
    record.place = nextPlace_++;
    record.line = line;
    for (std::size_t pos = 0;;) {
      bool quoted = false;
      std::string text = ReadField(line, pos, quoted);
      if (record.fieldCount < kFieldsPerRecord) record.fields[record.fieldCount] = {text, quoted};
      ++record.fieldCount;
      if (pos >= line.size()) break;
      ++pos;  // the comma
      if (record.fieldCount == kFieldsPerRecord && IsBlankText(line.substr(pos))) break;
    }
    return record;
  }
  return std::nullopt;
}

std::string RecordLine(const FieldTexts& texts) {
  std::string line;
  for (int i = 0; i < kFieldsPerRecord; ++i) {
    if (i > 0) line += ',';
    line += NeedsQuotes(texts[i]) ? Quoted(texts[i]) : texts[i];
  }
  return line + "\r\n";
}

std::string KeptLine(const Record& record) { return std::string(record.line) + "\r\n"; }

std::string ReadBack(std::string_view text) {
  return NeedsQuotes(text) ? std::string(text) : TrimBlanks(text);
}
