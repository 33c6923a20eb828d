#include "reports/report_text.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::size_t kPercentWidth = 4;

// The value's 15 significant digits as plain decimal text: no exponent, no
// trailing zeros.
std::string PlainDecimal(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  std::string sign;
  if (mantissa.front() == '-') {
    sign = "-";
    mantissa.remove_prefix(1);
  }
  std::string digits;
  for (char c : mantissa) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits == "0") return "0";
  if (exponent < 0) {
    return sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= wholeDigits)
    return sign + digits + std::string(wholeDigits - digits.size(), '0');
  return sign + digits.substr(0, wholeDigits) + "." + digits.substr(wholeDigits);
}

}  // namespace

std::string DropPercentText(double percent) {
  return PlainDecimal(percent).substr(0, kPercentWidth);
}
