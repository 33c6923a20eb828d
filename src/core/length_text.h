#pragma once

#include <string>
#include <string_view>

struct JobState;
class MessageView;

// The unit mode given by the settings unit_flag, inchOnlyFlag and inch32Flag.
struct UnitMode {
  bool metric = false;    // millimetres, typed and shown as decimals
  bool inchOnly = false;  // English lengths in inches, without feet
  bool inch32 = false;    // typed fractions are 32nds instead of 16ths
};

UnitMode UnitModeOf(const JobState& job);

// Puts blanks in front of the text while it is not longer than width, so a
// shorter text becomes exactly width + 1 characters long.
std::string PadLeft(std::string_view text, int width);

// Converts lengths between the job's numbers and their typed and shown texts.
// Reads the unit settings of the job at every call; a length that no text can
// hold is reported through ShowError and gives empty text.
class LengthText {
 public:
  LengthText(const JobState& job, MessageView& frontend) : job_(job), frontend_(frontend) {}

  // A typed length: a coded feet-inch-fraction number in the English unit, a
  // decimal in the metric unit. Never negative.
  double ParseLength(std::string_view text) const;
  // A shown length: feet-inch text in the English unit, five decimals in the
  // metric unit.
  std::string FormatLength(double value) const;
  // The value of a coded text as shortest decimal text (feet, or inches in
  // inches-only mode); metric text comes back unchanged.
  std::string ParseCodedLength(std::string_view text) const;
  // Feet-inch (or inch) text of a decimal text; metric text comes back unchanged.
  std::string FormatFeetInches(std::string_view decimalText) const;

 private:
  const JobState& job_;
  MessageView& frontend_;
};
