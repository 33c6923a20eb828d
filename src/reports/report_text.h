#pragma once

#include <string>
#include <string_view>

// Report and export files are written line by line: every write is the text
// followed by a carriage return and line feed, so a text that itself ends in a
// line break adds an empty line after it.
inline constexpr std::string_view kCrLf = "\r\n";

// The headings that name the report's material, each followed by it.
inline constexpr std::string_view kInputHeading = "CUTTING REPORT for: ";
inline constexpr std::string_view kInventoryHeading = "INVENTORY LIST REPORT for: ";
inline constexpr std::string_view kOrderHeading = "ORDER LIST REPORT for: ";
inline constexpr std::string_view kReturnedDropsHeading = "DROPS RETURNED TO STOCK for: ";

class ReportText {
 public:
  void Write(std::string_view text) {
    content_ += text;
    content_ += kCrLf;
  }
  // A write of a lone line break: two empty lines.
  void WriteLineBreak() { Write(kCrLf); }
  const std::string& Content() const { return content_; }

 private:
  std::string content_;
};

// The drop percentage as the report shows it: the first four characters of
// the value's 15 significant digits written without an exponent and without
// trailing zeros (3.3333 gives "3.33", 100 gives "100", 0.00012 gives "0.00").
std::string DropPercentText(double percent);
