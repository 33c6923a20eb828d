#pragma once

#include <memory>
#include <string>
#include <vector>

struct JobState;
class Dialogs;
class frmMain;
class SettingsAccess;
class SingleInstance;

// The start of the program with its window, after the single-copy check:
// the settings loaded and saved (the user data folder and the default job
// made on first start), the job arguments applied, the splash window shown
// and the last job opened. The splash window shows the returned main window
// when it closes. A stock file given opens that job instead, as File Open
// would; when it is not a regular file the message says so and the last job
// opens. The window keeps `settings` for Exit and Restore Defaults, so it
// must outlive the window.
std::unique_ptr<frmMain> StartInteractive(JobState& job, Dialogs& dialogs, SettingsAccess& settings,
                                          const std::vector<std::string>& jobArguments,
                                          const std::string& stockFile = {});

// Lets later copies reach the window: an empty request brings it to the
// front, a file's path opens that job as the copy given it would have.
void ListenForHandOver(SingleInstance& instance, frmMain& window);

// Starts the program with its window on the last job (or the one the job
// arguments name) and runs it until the window closes. Returns the exit status.
int RunInteractive(int& argc, char** argv, const std::vector<std::string>& jobArguments,
                   const std::string& stockFile = {});
