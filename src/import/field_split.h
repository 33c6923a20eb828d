#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits an import line into numbered fields. Tab, ";", ",", the apostrophe
// and character 22 separate fields; every other byte, blanks included,
// belongs to a field. Runs of separators, and separators at either end, make
// no empty field ("a,,b" gives a and b). Entry 0 is always empty and the
// fields are entries 1 to n; once maxFields fields are found the rest of the
// text is dropped.
std::vector<std::string> ParseFields(std::string_view text, int maxFields = 10);
