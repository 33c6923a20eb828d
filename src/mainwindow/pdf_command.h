#pragma once

#include <string>
#include <vector>

struct JobState;
class Frontend;

// The usage line of the --pdf option.
inline constexpr const char* kPdfUsage = "usage: brx --pdf REPORT.bxl OUT.pdf [MATERIAL]";

// brx --pdf REPORT.bxl OUT.pdf [MATERIAL]: writes the report's pages to a PDF
// file exactly as printing would, with `linesPerPage` from the loaded
// settings and the material (the settings' current one when not given) in
// the page headers. `arguments` are those after "--pdf". Needs a running
// QGuiApplication. Returns the exit status: 0 when the file was written.
int RunPdfCommand(const std::vector<std::string>& arguments, const JobState& settings,
                  Frontend& frontend);
