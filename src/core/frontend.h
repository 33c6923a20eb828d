#pragma once

#include <string>
#include <vector>

// The interfaces through which the engine talks to whoever runs it: the main
// window, batch mode (standard error, never waiting) or a test double. Each
// engine function takes the narrowest one that covers what it shows;
// `Frontend` is all of them together.

enum class MessageIcon { None, Information, Exclamation, Critical };

// A Yes/No question; Cancel when the question was closed without an answer.
enum class Answer { Yes, No, Cancel };

// The status bar, message boxes and questions.
class MessageView {
 public:
  virtual ~MessageView() = default;

  // The one-line status bar text.
  virtual void ShowStatus(const std::string& text) = 0;
  // An OK-only message box. A carriage return in the text is a line break.
  virtual void ShowMessage(const std::string& title, const std::string& text,
                           MessageIcon icon = MessageIcon::None) = 0;
  virtual Answer AskYesNo(const std::string& title, const std::string& text) = 0;
};

// Long work: the progress window, and letting the user's events run
// (repaint, Cancel) while it goes on.
class ProgressView {
 public:
  virtual ~ProgressView() = default;

  // The cutting progress window and its bar (0 to 100).
  virtual void ShowProgressWindow(bool visible) = 0;
  virtual void ShowProgress(float percent) = 0;

  // Lets pending window events run (repaint, Cancel); a no-op without windows.
  virtual void PumpEvents() = 0;
  // Waits the given time while handling events (the one-second hints).
  virtual void PauseWithEvents(int milliseconds) = 0;
};

// What the window shows of the job: its lists, the material box, the file
// name boxes, the slider and the report viewer.
class JobView {
 public:
  virtual ~JobView() = default;

  // Rebuild the list boxes from the job; selectIndex > 0 selects that row.
  virtual void RefreshStockList(int selectIndex) = 0;
  virtual void RefreshCutList(int selectIndex) = 0;

  // The material box: its entries, and the stock file name box.
  virtual std::vector<std::string> MaterialEntries() const = 0;
  virtual void SetMaterialEntries(const std::vector<std::string>& entries) = 0;
  virtual void ShowStockFileName(const std::string& path) = 0;
  virtual void ShowCutFileName(const std::string& path) = 0;
  // The material box turns light green after a save.
  virtual void MarkMaterialSaved() = 0;

  // Runs the Save As command so the user names the job files; does nothing
  // where there are no windows.
  virtual void RunSaveAs() = 0;

  // The optimisation slider's position (0 to 10).
  virtual void SetOptimizationLevel(int level) = 0;

  // Opens the report viewer on the report file, not modal.
  virtual void ShowReport(const std::string& reportPath) = 0;
};

// Everything at once, for the steps that use several of the above (opening
// a job, the cutting run, saving the lists).
class Frontend : public MessageView, public ProgressView, public JobView {};
