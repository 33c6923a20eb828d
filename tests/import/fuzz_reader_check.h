#pragma once

// Shared body of the import reader fuzz targets: the first input byte picks
// the unit mode, the rest is the file to import. Whatever the input, a reader
// must not crash, must leave the old cut file whole when it fails, must leave
// no temporary file behind, and on success must write the header and one
// four-field CR LF line per row.

#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/job_state.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

inline void Require(bool condition) {
  if (!condition) abort();
}

// Every line ends in CR LF and holds exactly three commas.
inline bool IsCutFileText(std::string_view text, std::size_t maxRows) {
  constexpr std::string_view kHeader = "Mark(Bin),Material,Qty,Length\r\n";
  if (text.substr(0, kHeader.size()) != kHeader) return false;
  std::size_t rows = 0;
  for (std::size_t start = kHeader.size(); start < text.size(); ++rows) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) return false;
    const std::string_view line = text.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string_view::npos) return false;
    if (std::count(line.begin(), line.end(), ',') != 3) return false;
    start = end + 2;
  }
  return rows <= maxRows;
}

using ImportReader = bool (*)(const JobState&, MessageView&, const std::string&,
                              const std::string&);

inline int FuzzImportReader(const std::uint8_t* data, std::size_t size, ImportReader reader) {
  static TempFolder folder;
  // One job for all runs: a new one would allocate its full-capacity lists.
  static JobState job;
  constexpr std::string_view kOldCutFile = "old cut file\r\n";
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  job.unit_flag = (data[0] & 1) != 0 ? "1" : "0";
  job.inchOnlyFlag = (data[0] & 2) != 0 ? "1" : "0";
  job.inch32Flag = (data[0] & 4) != 0 ? "1" : "0";
  const std::string inputPath = folder.Write("input", input);
  const std::string cutPath = folder.Write("job.cut", kOldCutFile);

  RecordingFrontend frontend;
  const bool imported = reader(job, frontend, inputPath, cutPath);
  const std::string cut = FileBytes(cutPath);
  const std::size_t inputLines = std::count(input.begin(), input.end(), '\r') +
                                 std::count(input.begin(), input.end(), '\n') + 1;
  Require(imported ? IsCutFileText(cut, inputLines) : cut == kOldCutFile);
  Require(folder.Names().size() == 2);
  return 0;
}
