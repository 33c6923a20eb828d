#pragma once

#include <string>

struct JobState;
class Frontend;

// The per-user settings store ($XDG_CONFIG_HOME/Brx/Brx.ini, section
// [Settings]); key names compare without regard to case.
void LoadSettings(JobState& job, Frontend& frontend);
void SaveSettings(const JobState& job);
// One key of the section, or the default when it is absent.
std::string ReadSetting(const std::string& key, const std::string& defaultValue);
void WriteSetting(const std::string& key, const std::string& value);
// Deletes the whole section (Restore Defaults).
void DeleteSettings();
