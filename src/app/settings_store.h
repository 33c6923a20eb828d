#pragma once

struct JobState;
class Frontend;

// The per-user settings store ($XDG_CONFIG_HOME/Brx/Brx.ini, section
// [Settings]); key names compare without regard to case.
void LoadSettings(JobState& job, Frontend& frontend);
void SaveSettings(const JobState& job);
// Deletes the whole section (Restore Defaults).
void DeleteSettings();
