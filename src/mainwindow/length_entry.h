#pragma once

#include <optional>
#include <string>
#include <string_view>

class LengthText;

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
