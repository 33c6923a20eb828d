#pragma once

#include <string>
#include <vector>

struct JobState;
class Frontend;

// The usage line of the --pdf option.
inline constexpr const char* kPdfUsage = "usage: brx --pdf REPORT.bxl OUT.pdf [MATERIAL]";

// brx --pdf REPORT.bxl OUT.pdf [MATERIAL]: writes the report's pages to a PDF
// file exactly as printing would, with `linesPerPage` from the loaded
// settings and the material in the page headers: the one given, else the one
// the report names, else the settings' current one. `arguments` are those
// after "--pdf". Needs a running QGuiApplication. Returns the exit status: 0
// when the file was written; 1, with a message naming the file, when the
// report is not a readable regular file, OUT does not end in ".pdf" (any
// letter case) or OUT could not be written (an existing OUT then stays whole);
// 2 for a wrong number of arguments.
int RunPdfCommand(const std::vector<std::string>& arguments, const JobState& settings,
                  Frontend& frontend);
