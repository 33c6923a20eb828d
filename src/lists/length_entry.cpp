#include "lists/length_entry.h"

#include <charconv>

#include "core/length_text.h"
#include "core/number_text.h"

namespace {

// Whole numbers in a shown length never need more digits than this; longer
// runs are not a shown length.
constexpr std::size_t kMaxDigits = 9;
constexpr long kMaxDenominator = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads [F'][-][I][ N/D]" after leading blanks; feet alone (F') are taken too.
class ShownLengthScanner {
 public:
  explicit ShownLengthScanner(std::string_view text) : text_(text) {}

  std::optional<double> Scan(bool inchOnly) {
    SkipBlanks();
    std::optional<long> number = Digits();
    if (number && Peek() == '\'') {
      feet_ = *number;
      any_ = true;
      ++pos_;
      SkipBlanks();
      if (Peek() == '-') {
        ++pos_;
        SkipBlanks();
      }
      if (AtEnd()) return Result(inchOnly);
      number = Digits();
    }
    if (number && Peek() == '/') {
      Fraction(*number);  // a fraction without whole inches: 5/8"
    } else if (number) {
      inches_ = *number;
      any_ = true;
      if (SkipBlanks() && IsDigit(Peek())) {
        const std::optional<long> numerator = Digits();
        if (numerator && Peek() == '/') {
          Fraction(*numerator);
        } else {
          failed_ = true;
        }
      }
    }
    SkipBlanks();
    if (Peek() != '"') return std::nullopt;
    ++pos_;
    SkipBlanks();
    return Result(inchOnly);
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  bool SkipBlanks() {
    const std::size_t start = pos_;
    while (Peek() == ' ' || Peek() == '\t') ++pos_;
    return pos_ > start;
  }

  std::optional<long> Digits() {
    const std::size_t start = pos_;
    while (IsDigit(Peek())) ++pos_;
    if (pos_ == start) return std::nullopt;
    if (pos_ - start > kMaxDigits) {
      failed_ = true;
      return std::nullopt;
    }
    long value = 0;
    std::from_chars(text_.data() + start, text_.data() + pos_, value);
    return value;
  }

  // Reads "/D" after the numerator; D must be a power of two up to 32.
  void Fraction(long numerator) {
    ++pos_;
    const std::optional<long> denominator = Digits();
    if (!denominator || *denominator < 2 || *denominator > kMaxDenominator ||
        (*denominator & (*denominator - 1)) != 0) {
      failed_ = true;
      return;
    }
    thirtySeconds_ = numerator * (kMaxDenominator / *denominator);
    any_ = true;
  }

  // Summed as a coded entry is, and rounded to the 15 digits a coded entry
  // keeps, so 12'-6 5/8" and 120610 give the same number.
  std::optional<double> Result(bool inchOnly) const {
    if (failed_ || !any_ || !AtEnd()) return std::nullopt;
    const double inches = static_cast<double>(inches_) + static_cast<double>(thirtySeconds_) / 32.0;
    const double feet = static_cast<double>(feet_);
    return LeadingNumber(ShortestDecimal(inchOnly ? feet * 12.0 + inches : feet + inches / 12.0));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  bool any_ = false;
  bool failed_ = false;
  long feet_ = 0;
  long inches_ = 0;
  long thirtySeconds_ = 0;
};

}  // namespace

std::optional<double> ParseShownLength(std::string_view text, bool inchOnly) {
  if (text.find_first_of("'\"") == std::string_view::npos) return std::nullopt;
  return ShownLengthScanner(text).Scan(inchOnly);
}

double ReadLengthField(const LengthText& lengthText, bool metric, bool inchOnly,
                       std::string_view text, const std::optional<ShownLength>& shown) {
  if (shown && text == shown->text) return shown->value;
  if (!metric) {
    if (const std::optional<double> value = ParseShownLength(text, inchOnly)) return *value;
  }
  return lengthText.ParseLength(text);
}

bool IsLengthText(std::string_view text, const UnitMode& mode) {
  if (mode.metric) return IsNumericText(text);
  if (ParseShownLength(text, mode.inchOnly)) return true;
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const std::size_t last = text.find_last_not_of(" \t");
  const std::string_view code = text.substr(first, last - first + 1);
  if (code.size() > kMaxDigits) return false;
  for (const char c : code) {
    if (!IsDigit(c)) return false;
  }
  auto twoDigitsBefore = [&code](std::size_t end) {
    const std::size_t start = end >= 2 ? end - 2 : 0;
    long value = 0;
    std::from_chars(code.data() + start, code.data() + end, value);
    return value;
  };
  const long fraction = twoDigitsBefore(code.size());
  if (fraction >= (mode.inch32 ? 32 : 16)) return false;
  if (mode.inchOnly || code.size() <= 2) return true;
  return twoDigitsBefore(code.size() - 2) < 12;
}
