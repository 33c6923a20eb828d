#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Locale-independent number reading and writing shared by every subsystem.

// The leading-number rule: blanks (space, tab, line feed) are skipped wherever
// they stand; then an optional sign, digits with an optional point and
// fraction, and an optional exponent are read up to the first character that
// cannot continue the number. Text without digits, and any value that is not
// finite, reads as 0. Never fails.
double LeadingNumber(std::string_view text);

// printf("%.15g") in the C locale, whatever the process locale is.
std::string ShortestDecimal(double value);

// Fixed-point text with the given number of decimals, C locale ("%.*f").
std::string FixedDecimal(double value, int decimals);

// Rounds half to even into a 16-bit integer; nullopt when the result does not
// fit (the overflow error).
std::optional<std::int16_t> RoundHalfEvenToInt16(double value);

// A whole number's text with one blank in front of non-negative values (the
// sign position), as counts are shown in status texts and messages.
std::string SignedCountText(long long value);

// The numeric test of the job files: optional blanks and sign, digits with at
// most one decimal point, an optional exponent, trailing blanks. Empty text
// is not numeric.
bool IsNumericText(std::string_view text);
