#pragma once

#include <string>
#include <vector>

struct JobState;
class Frontend;

// Start-up steps shared by batch mode and the window.

// Loads the settings, applies the main window's load step, creates the user
// data folder with the default job names on first start, saves the settings
// and loads them once more.
void LoadStartupSettings(JobState& job, Frontend& frontend);

// The main window's load step as far as it sets up the job: the material and
// export file from the store, the cut and report files beside the stock file.
void ApplyMainWindowLoadStep(JobState& job);

// Applies the job arguments by position (cut file, stock file, export file,
// material, kerf). Returns how many were applied.
int ApplyJobArguments(JobState& job, const std::vector<std::string>& arguments);
