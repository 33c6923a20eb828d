#pragma once

struct JobState;
class Frontend;

// What the windows need of the per-user settings store. The program passes
// the store in; tests may pass the same store pointed at a folder of their own.
class SettingsAccess {
 public:
  virtual ~SettingsAccess() = default;

  // Writes the job's setting texts into the store (File Exit).
  virtual void Save(const JobState& job) = 0;
  // Restore Defaults: removes every stored setting, reads the defaults into
  // the job as a load does (status and slider through `frontend`) and stores
  // them.
  virtual void RestoreDefaults(JobState& job, Frontend& frontend) = 0;
};
