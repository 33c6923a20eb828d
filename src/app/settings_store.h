#pragma once

#include <string>

#include "mainwindow/settings_access.h"

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

// The store above as the windows use it. It keeps no state of its own, so
// one object serves every window for the life of the program.
class UserSettingsStore : public SettingsAccess {
 public:
  void Save(const JobState& job) override;
  void RestoreDefaults(JobState& job, Frontend& frontend) override;
};
