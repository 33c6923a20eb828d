#include "core/length_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/brx_error.h"
#include "core/job_state.h"
#include "core/number_text.h"

UnitMode UnitModeOf(const JobState& job) {
  return UnitMode{LeadingNumber(job.unit_flag) != 0.0, job.InchesOnly(), job.inch32Flag != "0"};
}

std::string PadLeft(std::string_view text, int width) {
  std::string padded(text);
  if (static_cast<int>(padded.size()) <= width) {
    padded.insert(0, static_cast<std::size_t>(width + 1) - padded.size(), ' ');
  }
  return padded;
}

namespace {

constexpr std::array<const char*, 32> kFractions = {
    "",    "1/32",  "1/16",  "3/32",  "1/8", "5/32",  "3/16",  "7/32",
    "1/4", "9/32",  "5/16",  "11/32", "3/8", "13/32", "7/16",  "15/32",
    "1/2", "17/32", "9/16",  "19/32", "5/8", "21/32", "11/16", "23/32",
    "3/4", "25/32", "13/16", "27/32", "7/8", "29/32", "15/16", "31/32"};

// Feet, whole inches and 32nds of a shown length.
struct FeetInches {
  std::int32_t feet = 0;
  std::int32_t inches = 0;
  int thirtySeconds = 0;
};

// 2^31: every float below it converts to a 32-bit integer.
constexpr float kInt32Limit = 2147483648.0f;

// The single-precision steps of the feet-inch writer. nullopt when the value
// has no text (not finite, or feet or inches beyond 32 bits).
std::optional<FeetInches> SplitFeetInches(double magnitude, bool inchOnly) {
  const float a = static_cast<float>(magnitude);
  if (!std::isfinite(a) || !(std::trunc(a) < kInt32Limit)) return std::nullopt;
  float feet = std::trunc(a);
  float inches = inchOnly ? a : (a - std::trunc(a)) * 12.0f;
  if (inchOnly) feet = 0.0f;
  float n = (inches - std::trunc(inches)) * 32.0f;
  if (n - std::trunc(n) >= 0.5f) n = std::trunc(n) + 1.0f;
  if (n >= 32.0f) {
    // The whole part of the exact sum: a float sum would round 7.9999995 + 1
    // up to 9 and show 1'-8" as 1'-9".
    inches = static_cast<float>(std::trunc(static_cast<double>(inches) + 1.0));
    n -= 32.0f;
  }
  if (!inchOnly && inches >= 12.0f) {
    feet += 1.0f;
    inches -= 12.0f;
  }
  if (!(std::trunc(inches) < kInt32Limit)) return std::nullopt;
  return FeetInches{static_cast<std::int32_t>(feet), static_cast<std::int32_t>(std::trunc(inches)),
                    static_cast<int>(std::trunc(n))};
}

std::string FeetInchText(const FeetInches& parts) {
  std::string text;
  if (parts.feet > 0) text = std::to_string(parts.feet) + "'-";
  if (parts.inches > 0 || parts.feet > 0 || parts.thirtySeconds == 0) {
    text += std::to_string(parts.inches);
  }
  const char* fraction = kFractions.at(static_cast<std::size_t>(parts.thirtySeconds));
  if (*fraction != '\0') text += std::string(" ") + fraction;
  return text + "\"";
}

}  // namespace

double LengthText::ParseLength(std::string_view text) const {
  const UnitMode mode = UnitModeOf(job_);
  if (mode.metric) return std::fabs(LeadingNumber(text));
  return std::fabs(LeadingNumber(ParseCodedLength(text)));
}

std::string LengthText::FormatLength(double value) const {
  if (UnitModeOf(job_).metric) return FixedDecimal(value, 5);
  return FormatFeetInches(ShortestDecimal(value));
}

std::string LengthText::ParseCodedLength(std::string_view text) const {
  const UnitMode mode = UnitModeOf(job_);
  if (mode.metric) return std::string(text);
  if (text.empty()) text = "0";
  const std::size_t first = text.find_first_not_of(" \t");
  text = first == std::string_view::npos ? std::string_view() : text.substr(first);
  const std::string padded = PadLeft(text, 4);
  const std::string_view code(padded);
  const std::size_t length = code.size();
  const double n = LeadingNumber(code.substr(length - 2));
  const double nthsPerFoot = mode.inch32 ? 384.0 : 192.0;
  double value = 0.0;
  if (mode.inchOnly) {
    value = LeadingNumber(code.substr(0, length - 2)) + n / nthsPerFoot * 12.0;
  } else {
    const double feet = LeadingNumber(code.substr(0, length - 4));
    const double inches = LeadingNumber(code.substr(length - 4, 2));
    value = feet + inches / 12.0 + n / nthsPerFoot;
  }
  return ShortestDecimal(value);
}

std::string LengthText::FormatFeetInches(std::string_view decimalText) const {
  const UnitMode mode = UnitModeOf(job_);
  if (mode.metric) return std::string(decimalText);
  const double x = LeadingNumber(decimalText);
  const std::optional<FeetInches> parts = SplitFeetInches(std::fabs(x), mode.inchOnly);
  if (!parts) {
    ShowError(frontend_, MakeError(kErrOverflow));
    return {};
  }
  return (x < 0 ? "- " : "") + FeetInchText(*parts);
}
