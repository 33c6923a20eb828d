#pragma once

#include <optional>
#include <string>
#include <string_view>

class LengthText;
struct UnitMode;

// What the program last put into a length field: the text and the stored
// length it shows. The text is rounded to 32nds (or five decimals), so
// reading it back would change the length.
struct ShownLength {
  std::string text;
  double value = 0.0;
};

// Reads feet-inch text in the form the program shows lengths,
// [F'][-][I][ N/D]" with whole numbers F and I and a fraction N/D whose D is
// a power of two up to 32: 12'-6 5/8", 6 5/8", 12'-0", 120 11/16", 5/8".
// Feet alone (12') are taken too. The value is in feet, or in inches when
// inchOnly is set. nullopt for any other text, a coded entry included.
std::optional<double> ParseShownLength(std::string_view text, bool inchOnly);

// The length a length field holds. Text still exactly as the program put it
// there keeps the stored length to the last bit; English text in the shown
// form reads as the length it shows; anything else is a typed length.
double ReadLengthField(const LengthText& lengthText, bool metric, bool inchOnly,
                       std::string_view text, const std::optional<ShownLength>& shown);

// True when a typed text is a length in the unit mode: in the English unit a
// coded number (digits only; the last two are the fraction, below 16, or 32
// with 32nds, and the two before them, outside inches-only mode, the inches,
// below 12) or the shown feet-inch form; in the metric unit a decimal number.
// Whether the length is above 0 is the caller's check.
bool IsLengthText(std::string_view text, const UnitMode& mode);
