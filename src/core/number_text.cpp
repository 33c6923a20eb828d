#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

bool IsLeadingNumberBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the characters of the leading number, blanks removed, so that
// from_chars can convert them.
class LeadingNumberScanner {
 public:
  explicit LeadingNumberScanner(std::string_view text) : text_(text) {}

  std::string Scan() {
    if (char c = Peek(); c == '+' || c == '-') {
      if (c == '-') out_ += '-';
      Advance();
    }
    const std::size_t mantissaStart = out_.size();
    bool digits = TakeDigits();
    if (Peek() == '.') {
      Advance();
      out_ += '.';
      digits = TakeDigits() || digits;
    }
    if (!digits) return {};
    if (out_.back() == '.') out_.pop_back();
    if (out_.size() == mantissaStart) return {};
    TakeExponent();
    return out_;
  }

 private:
  char Peek() {
    while (pos_ < text_.size() && IsLeadingNumberBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Advance() { ++pos_; }

  bool TakeDigits() {
    bool any = false;
    while (IsDigit(Peek())) {
      out_ += text_[pos_];
      Advance();
      any = true;
    }
    return any;
  }

  // An exponent counts only when digits follow it; otherwise it is left out.
  void TakeExponent() {
    if (char c = Peek(); c != 'e' && c != 'E') return;
    const std::size_t savedPos = pos_;
    const std::size_t savedSize = out_.size();
    Advance();
    out_ += 'e';
    if (char c = Peek(); c == '+' || c == '-') {
      out_ += c;
      Advance();
    }
    if (!TakeDigits()) {
      pos_ = savedPos;
      out_.resize(savedSize);
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string out_;
};

}  // namespace

double LeadingNumber(std::string_view text) {
  const std::string number = LeadingNumberScanner(text).Scan();
  if (number.empty()) return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

std::string ShortestDecimal(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

std::string FixedDecimal(double value, int decimals) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  return std::string(buffer.data(), result.ptr);
}

std::optional<std::int16_t> RoundHalfEvenToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: half to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::string SignedCountText(long long value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

bool IsNumericText(std::string_view text) {
  std::size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  };
  auto digitRun = [&] {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos > start;
  };
  skipBlanks();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  bool digits = digitRun();
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits = digitRun() || digits;
  }
  if (!digits) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (!digitRun()) return false;
  }
  skipBlanks();
  return pos == text.size();
}
