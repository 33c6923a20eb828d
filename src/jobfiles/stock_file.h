#pragma once

#include <string>
#include <vector>

struct JobState;
class Frontend;

// The stock file: rows material, bin, quantity, length for many materials.
// Only the current material's rows (`matl`) are loaded; a write replaces them
// and carries every other row over unchanged.

// True when the file was read or is missing; false when there is no file
// name, no current material, or the read failed.
bool ReadStockFile(JobState& job, Frontend& frontend);
// True when the file was written.
bool WriteStockFile(JobState& job, Frontend& frontend);
// Fills the material box from the cut file, then the stock file.
void LoadMaterials(JobState& job, Frontend& frontend);

// The materials of a cut file's rows, in the order first met; none when the
// file is missing or cannot be read.
std::vector<std::string> CutFileMaterials(const std::string& cutFile);
